#include "engraved_label.h"

#include <QPainter>

namespace quorava {

EngravedLabel::EngravedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EngravedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setFont(font());
    // No Qt::TextShowMnemonic: "&" is an ordinary character here.
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setPen(Qt::white);
    painter.drawText(rect(), flags, text());
    painter.setPen(m_textColour);
    painter.drawText(rect().translated(1, 1), flags, text());
}

} // namespace quorava
