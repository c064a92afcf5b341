#include "status_bar.h"

#include <QLabel>
#include <QResizeEvent>

namespace quorava {

namespace {
constexpr std::array<int, PartsStatusBar::kPartCount - 1> kRightEdges{40, 140};
}

PartsStatusBar::PartsStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < kPartCount; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("part%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(2);
        m_parts[size_t(i)] = label;
    }
}

void PartsStatusBar::setPartText(int part, const QString &text)
{
    if (part < 0 || part >= kPartCount)
        return;
    m_parts[size_t(part)]->setText(text);
}

QString PartsStatusBar::partText(int part) const
{
    if (part < 0 || part >= kPartCount)
        return {};
    return m_parts[size_t(part)]->text();
}

QRect PartsStatusBar::partGeometry(int part) const
{
    if (part < 0 || part >= kPartCount)
        return {};
    return m_parts[size_t(part)]->geometry();
}

void PartsStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    placeParts();
}

void PartsStatusBar::placeParts()
{
    int left = 0;
    for (int i = 0; i < kPartCount; ++i) {
        const int right = i < kPartCount - 1 ? kRightEdges[size_t(i)] : width();
        m_parts[size_t(i)]->setGeometry(left, 0, qMax(0, right - left), height());
        left = right;
    }
}

} // namespace quorava
