#include "stretched_picture.h"

#include <QImageReader>
#include <QPainter>

#include <utility>

namespace quorava {

QImage decodePicture(const QString &path, QSize decodeSize)
{
    QImageReader reader(path);
    if (decodeSize.isValid())
        reader.setScaledSize(decodeSize);
    QImage image = reader.read();
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    return image;
}

StretchedPicture::StretchedPicture(QImage decoded) : m_decoded(std::move(decoded)) {}

void StretchedPicture::prepare(QSize size)
{
    if (m_decoded.isNull() || size.isEmpty() || m_scaled.size() == size)
        return;
    m_scaled = m_decoded.size() == size
                   ? m_decoded
                   : m_decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void StretchedPicture::paint(QPainter &painter, const QRect &area, const QColor &fallback)
{
    if (m_decoded.isNull()) {
        painter.fillRect(area, fallback);
        return;
    }
    prepare(area.size());
    painter.drawImage(area.topLeft(), m_scaled);
}

} // namespace quorava
