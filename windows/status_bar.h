#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace quorava {

// A status bar of three parts at fixed right edges (40, 140, the bar's end), each with
// its own text. Qt's QStatusBar spaces its items itself, so the parts are placed here.
class PartsStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPartCount = 3;

    explicit PartsStatusBar(QWidget *parent = nullptr);

    // A part number outside 0..2 changes nothing.
    void setPartText(int part, const QString &text);
    QString partText(int part) const;
    QRect partGeometry(int part) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeParts();

    std::array<QLabel *, kPartCount> m_parts{};
};

} // namespace quorava
