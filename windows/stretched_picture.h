#pragma once

#include <QImage>
#include <QString>

class QPainter;

namespace quorava {

// Reads a picture, shrunk while decoding to about `decodeSize` when that is valid (JPEG does
// that almost for free). Safe on any thread.
QImage decodePicture(const QString &path, QSize decodeSize = {});

// A background picture drawn stretched over a whole area, both axes scaled on their own.
// The picture is decoded once; a scaled copy is made once per size, never per paint.
class StretchedPicture {
public:
    explicit StretchedPicture(QImage decoded);

    bool isNull() const { return m_decoded.isNull(); }
    QSize decodedSize() const { return m_decoded.size(); }

    // Prepares the copy for `size`; cheap when the size has not changed.
    void prepare(QSize size);
    // Draws over `area`, or fills it with `fallback` when the picture could not be decoded.
    void paint(QPainter &painter, const QRect &area, const QColor &fallback);

private:
    QImage m_decoded;
    QImage m_scaled;
};

} // namespace quorava
