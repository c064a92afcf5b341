#pragma once

#include <QColor>
#include <QProxyStyle>

namespace quorava {

// The program-wide visual style: three colour schemes (1 blue, 2 olive green, 3 silver)
// that restyle push buttons, check boxes, radio buttons, group boxes, bordered edit
// boxes, combo boxes with their lists and spin boxes of every window, existing or created
// later. Labels, list views, status bars and windows keep their ordinary look.
struct VisualScheme {
    QColor buttonFrame;
    QColor faceTop;
    QColor faceBottom;
    QColor pressedTop;
    QColor pressedBottom;
    QColor hoverGlow;
    QColor defaultGlow;
    QColor disabledFrame;
    QColor disabledFace;
    QColor editFrame;
    QColor groupFrame;
    QColor mark;
};

// The scheme of style number 1, 2 or 3.
const VisualScheme &visualScheme(int scheme);

// 1, 2 or 3 switch the style on with that scheme; any other number switches it off.
void switchVisualStyle(int styleNumber);
// The scheme in force, or 0 while the style is off.
int currentVisualStyle();

class VisualStyle : public QProxyStyle {
    Q_OBJECT
public:
    VisualStyle(int scheme, QStyle *base);

    int scheme() const { return m_scheme; }

    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

private:
    void drawButtonPanel(const QStyleOption *option, QPainter *painter, bool isDefault) const;
    void drawEditPanel(const QStyleOption *option, QPainter *painter, bool framed) const;
    void drawIndicator(const QStyleOption *option, QPainter *painter, bool round) const;

    int m_scheme;
    const VisualScheme &m_colours;
};

} // namespace quorava
