#include "visual_style.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

const VisualScheme kSchemes[3] = {
    // 1: blue tones
    {QColor(0, 60, 116), QColor(255, 255, 255), QColor(214, 208, 197), QColor(206, 203, 190),
     QColor(241, 240, 234), QColor(248, 179, 48), QColor(105, 130, 238), QColor(201, 199, 186),
     QColor(245, 244, 234), QColor(123, 158, 189), QColor(208, 208, 191), QColor(33, 161, 33)},
    // 2: olive-green tones
    {QColor(55, 98, 6), QColor(255, 255, 250), QColor(211, 213, 180), QColor(200, 204, 170),
     QColor(240, 241, 228), QColor(232, 176, 64), QColor(143, 168, 80), QColor(202, 205, 180),
     QColor(245, 246, 235), QColor(164, 185, 127), QColor(185, 197, 155), QColor(72, 124, 22)},
    // 3: silver tones
    {QColor(21, 66, 139), QColor(255, 255, 255), QColor(214, 213, 225), QColor(200, 199, 212),
     QColor(240, 240, 245), QColor(255, 191, 86), QColor(142, 143, 177), QColor(196, 195, 206),
     QColor(243, 243, 247), QColor(198, 197, 215), QColor(191, 190, 205), QColor(75, 75, 110)},
};

int g_scheme = 0;
QString g_baseStyleName;

QStyle *createBaseStyle()
{
    QStyle *style = QStyleFactory::create(g_baseStyleName);
    return style ? style : QStyleFactory::create(u"Fusion"_s);
}

} // namespace

const VisualScheme &visualScheme(int scheme)
{
    Q_ASSERT(scheme >= 1 && scheme <= 3);
    return kSchemes[qBound(1, scheme, 3) - 1];
}

int currentVisualStyle()
{
    return g_scheme;
}

void switchVisualStyle(int styleNumber)
{
    if (g_baseStyleName.isEmpty()) {
        const QStyle *current = QApplication::style();
        const auto *proxy = qobject_cast<const QProxyStyle *>(current);
        g_baseStyleName = (proxy ? proxy->baseStyle() : current)->name();
    }
    // Setting the application's style restyles every existing widget and becomes the
    // style of every widget created afterwards, dialogs included.
    g_scheme = (styleNumber >= 1 && styleNumber <= 3) ? styleNumber : 0;
    if (g_scheme == 0)
        QApplication::setStyle(createBaseStyle());
    else
        QApplication::setStyle(new VisualStyle(g_scheme, createBaseStyle()));
}

VisualStyle::VisualStyle(int scheme, QStyle *base)
    : QProxyStyle(base), m_scheme(scheme), m_colours(visualScheme(scheme))
{
}

void VisualStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    // Hover faces need hover events.
    if (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
        qobject_cast<QAbstractSpinBox *>(widget))
        widget->setAttribute(Qt::WA_Hover, true);
}

void VisualStyle::drawButtonPanel(const QStyleOption *option, QPainter *painter,
                                  bool isDefault) const
{
    const bool enabled = option->state & State_Enabled;
    const bool pressed = option->state & (State_Sunken | State_On);
    const bool hover = enabled && (option->state & State_MouseOver);
    const bool focused = option->state & State_HasFocus;
    const QRectF outer = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient face(outer.topLeft(), outer.bottomLeft());
    if (!enabled) {
        face.setColorAt(0, m_colours.disabledFace);
        face.setColorAt(1, m_colours.disabledFace);
    } else if (pressed) {
        face.setColorAt(0, m_colours.pressedTop);
        face.setColorAt(1, m_colours.pressedBottom);
    } else {
        face.setColorAt(0, m_colours.faceTop);
        face.setColorAt(0.85, m_colours.faceBottom.lighter(108));
        face.setColorAt(1, m_colours.faceBottom);
    }
    painter->setPen(QPen(enabled ? m_colours.buttonFrame : m_colours.disabledFrame, 1));
    painter->setBrush(face);
    painter->drawRoundedRect(outer, 3, 3);

    // The inner glow: warm while hovered, the scheme's accent on the default button.
    QColor glow;
    if (hover && !pressed)
        glow = m_colours.hoverGlow;
    else if (enabled && (isDefault || focused) && !pressed)
        glow = m_colours.defaultGlow;
    if (glow.isValid()) {
        painter->setPen(QPen(glow, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    }
    painter->restore();
}

void VisualStyle::drawEditPanel(const QStyleOption *option, QPainter *painter, bool framed) const
{
    painter->save();
    painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
    if (framed) {
        painter->setPen(QPen(m_colours.editFrame, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void VisualStyle::drawIndicator(const QStyleOption *option, QPainter *painter, bool round) const
{
    const bool enabled = option->state & State_Enabled;
    const bool hover = enabled && (option->state & State_MouseOver);
    const bool sunken = option->state & State_Sunken;
    const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, sunken ? m_colours.pressedTop : m_colours.faceBottom);
    fill.setColorAt(1, Qt::white);
    painter->setPen(QPen(enabled ? m_colours.buttonFrame : m_colours.disabledFrame, 1));
    painter->setBrush(enabled ? QBrush(fill) : QBrush(m_colours.disabledFace));
    if (round)
        painter->drawEllipse(box);
    else
        painter->drawRect(box);
    if (hover) {
        painter->setPen(QPen(m_colours.hoverGlow, 1.5));
        painter->setBrush(Qt::NoBrush);
        const QRectF inner = box.adjusted(1.5, 1.5, -1.5, -1.5);
        round ? painter->drawEllipse(inner) : painter->drawRect(inner);
    }

    const QColor mark = enabled ? m_colours.mark : m_colours.disabledFrame;
    const QRectF area = box.adjusted(box.width() * 0.25, box.height() * 0.25, -box.width() * 0.25,
                                     -box.height() * 0.25);
    if (round && (option->state & State_On)) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark);
        painter->drawEllipse(area);
    } else if (!round && (option->state & State_On)) {
        QPainterPath tick;
        tick.moveTo(area.left(), area.center().y());
        tick.lineTo(area.left() + area.width() * 0.4, area.bottom());
        tick.lineTo(area.right(), area.top());
        painter->setPen(QPen(mark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    } else if (!round && (option->state & State_NoChange)) {
        painter->fillRect(area, mark);
    }
    painter->restore();
}

void VisualStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case PE_PanelButtonCommand: {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        const bool isDefault = button && (button->features & QStyleOptionButton::DefaultButton);
        drawButtonPanel(option, painter, isDefault);
        return;
    }
    case PE_FrameDefaultButton:
        return; // the default button's glow is part of its panel
    case PE_PanelLineEdit: {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        drawEditPanel(option, painter, frame && frame->lineWidth > 0);
        return;
    }
    case PE_FrameLineEdit:
        drawEditPanel(option, painter, true);
        return;
    case PE_IndicatorCheckBox:
        drawIndicator(option, painter, false);
        return;
    case PE_IndicatorRadioButton:
        drawIndicator(option, painter, true);
        return;
    case PE_FrameGroupBox: {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(QPen(m_colours.groupFrame, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter->restore();
        return;
    }
    case PE_PanelMenu:
    case PE_FrameMenu:
        // The drop-down list of a combo box gets the edit frame; real menus stay as they are.
        if (widget && widget->inherits("QComboBoxPrivateContainer")) {
            drawEditPanel(option, painter, true);
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void VisualStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ComboBox && control != CC_SpinBox)
        return;
    const auto *frame = qstyleoption_cast<const QStyleOptionComplex *>(option);
    bool framed = true;
    if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option))
        framed = combo->frame;
    else if (const auto *spin = qstyleoption_cast<const QStyleOptionSpinBox *>(option))
        framed = spin->frame;
    if (!frame || !framed)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const bool hover = (option->state & State_Enabled) && (option->state & State_MouseOver);
    painter->setPen(QPen(hover ? m_colours.hoverGlow : m_colours.editFrame, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace quorava
