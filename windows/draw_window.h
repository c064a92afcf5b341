#pragma once

#include "windows/draw_sequence.h"
#include "windows/stretched_picture.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;

namespace quorava {

class DrawClock;
class DrawRandom;
class EngravedLabel;
class ProgramState;

// The full-screen, frameless window in which a draw runs: the band 标签1 with the names,
// the status line 编辑框1 above it, the back and replay buttons below it, over a picture.
// Closing it (Esc or "返回上一页") destroys it.
class DrawWindow : public QWidget, public DrawView {
    Q_OBJECT
public:
    // Builds the window from its definition and runs its created event (visual style,
    // full-screen layout, the choice of the name); the window is not shown yet.
    DrawWindow(ProgramState &state, DrawRandom &random, QWidget *owner);
    ~DrawWindow() override;

    DrawSequence &sequence() { return *m_sequence; }

    void showStatusText(const QString &text) override;
    void showBandText(const QString &text) override;

    // Test seam: the clock the next windows' timers run on (a virtual one in tests).
    using ClockFactory = std::function<std::unique_ptr<DrawClock>()>;
    static void setClockFactoryForTesting(ClockFactory factory);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls(ProgramState &state, DrawRandom &random);
    void layOutFullScreen();
    bool closeOnEscape(QKeyEvent *event);
    void goBack();

    std::unique_ptr<DrawClock> m_clock;
    std::unique_ptr<DrawSequence> m_sequence;
    StretchedPicture m_background;
    QLineEdit *m_statusLine = nullptr; // 编辑框1
    QLineEdit *m_bandUnder = nullptr;  // 编辑框2
    QPushButton *m_backButton = nullptr;
    QPushButton *m_replayButton = nullptr;
    EngravedLabel *m_band = nullptr; // 标签1
};

// Decodes the draw window's picture ahead of the first opening, so that opening is quick.
void preloadDrawBackground();

// Opens a draw window over `owner` modally: the other windows take no input until it has
// been closed and destroyed, and only then does this return.
void runDrawWindowModally(ProgramState &state, DrawRandom &random, QWidget *owner);

} // namespace quorava
