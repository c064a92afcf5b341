#pragma once

#include <QLabel>

namespace quorava {

// The draw window's band: an opaque background, one centred line that never wraps and is
// cut off at the edges, drawn engraved (white first, then the text colour one pixel right
// and down). The caption is plain text: markup and "&" show as they are. Being a QLabel,
// it reports its caption to assistive technology like any label.
class EngravedLabel : public QLabel {
    Q_OBJECT
public:
    explicit EngravedLabel(QWidget *parent = nullptr);

    void setBackground(const QColor &colour) { m_background = colour; }
    void setTextColour(const QColor &colour) { m_textColour = colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background{Qt::white};
    QColor m_textColour{Qt::black};
};

} // namespace quorava
