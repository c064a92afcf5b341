#pragma once

#include <QImage>
#include <QString>

class QPainter;

namespace quorava {

// A background picture drawn stretched over a whole area, both axes scaled on their own.
// The picture is decoded once; a scaled copy is made once per size, never per paint.
class StretchedPicture {
public:
    // `decodeSize` lets the decoder shrink a large picture while reading it (JPEG can do
    // that almost for free); an empty size reads it at full size.
    explicit StretchedPicture(const QString &path, QSize decodeSize = {});
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
