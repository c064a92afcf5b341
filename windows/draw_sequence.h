#pragma once

#include "windows/timer_rules.h"

#include <QString>

#include <optional>

namespace quorava {

class DrawRandom;
class ProgramState;

// What the draw sequence writes into the draw window.
class DrawView {
public:
    virtual ~DrawView();
    virtual void showStatusText(const QString &text) = 0; // 编辑框1
    virtual void showBandText(const QString &text) = 0;   // 标签1's caption
};

enum class DrawState {
    Running,                  // flicker and reveal both running
    RevealedFlickerFinishing, // reveal done, flicker still ticking
    FlickerDoneRevealPending, // flicker stopped, reveal still to come
    Finished,                 // both stopped
};

// One opening of the draw window: a name is chosen when it opens, random names flicker in
// the band every 200 ms, and after 5000 ms the chosen name is revealed. The view, clock,
// generator and state must outlive it.
class DrawSequence {
public:
    static constexpr int kRevealPeriodMs = 5000; // 时钟1
    static constexpr int kFlickerPeriodMs = 200; // 时钟2
    // The tick that finds flicker_count here is the last one; it resets the count to 0.
    static constexpr qint32 kLastFlickerCount = 25;

    static QString drawingText(); // 编辑框1 while drawing, also its defined text
    static QString revealText();  // 编辑框1 once the name is revealed

    // Creates the reveal timer, then the flicker timer: both start counting now.
    DrawSequence(ProgramState &state, DrawRandom &random, DrawClock &clock, DrawView &view);
    ~DrawSequence();
    DrawSequence(const DrawSequence &) = delete;
    DrawSequence &operator=(const DrawSequence &) = delete;

    // The end of the window's created event: rewrites both periods (no change, since both
    // timers already run with them) and replaces chosen_name with a random name.
    void chooseAtOpening();
    // 重新点名: restarts whichever timer has stopped; chosen_name stays.
    void replay();
    // The window closes (either way): both timers stop for good. flicker_count is kept.
    void close();
    bool isClosed() const { return m_timers.isStoppedForGood(); }

    DrawState state() const;
    int revealPeriod() const { return m_timers.period(m_revealTimer); }
    int flickerPeriod() const { return m_timers.period(m_flickerTimer); }

private:
    void onTick(int id);
    void flickerTick();
    void reveal();
    std::optional<QString> drawName();

    ProgramState &m_state;
    DrawRandom &m_random;
    DrawView &m_view;
    DrawTimers m_timers;
    int m_revealTimer;
    int m_flickerTimer;
};

} // namespace quorava
