#include "draw_sequence.h"

#include "app/program_state.h"
#include "windows/draw_random.h"

using namespace Qt::Literals::StringLiterals;

namespace quorava {

DrawView::~DrawView() = default;

QString DrawSequence::drawingText()
{
    return u"正在随机抽选中..."_s;
}

QString DrawSequence::revealText()
{
    return u"同学，别看了就是你！"_s;
}

DrawSequence::DrawSequence(ProgramState &state, DrawRandom &random, DrawClock &clock,
                           DrawView &view)
    : m_state(state), m_random(random), m_view(view), m_timers(clock),
      m_revealTimer(m_timers.create(kRevealPeriodMs)),
      m_flickerTimer(m_timers.create(kFlickerPeriodMs))
{
    m_timers.setTickHandler([this](int id) { onTick(id); });
}

DrawSequence::~DrawSequence()
{
    close();
}

void DrawSequence::chooseAtOpening()
{
    m_timers.setPeriod(m_revealTimer, kRevealPeriodMs);
    m_timers.setPeriod(m_flickerTimer, kFlickerPeriodMs);
    m_state.replaceChosenName(drawName());
}

void DrawSequence::replay()
{
    if (isClosed())
        return;
    m_view.showStatusText(drawingText());
    m_timers.setPeriod(m_flickerTimer, kFlickerPeriodMs);
    m_timers.setPeriod(m_revealTimer, kRevealPeriodMs);
}

void DrawSequence::close()
{
    m_timers.stopAll();
}

DrawState DrawSequence::state() const
{
    const bool flickering = flickerPeriod() > 0;
    const bool revealPending = revealPeriod() > 0;
    if (flickering)
        return revealPending ? DrawState::Running : DrawState::RevealedFlickerFinishing;
    return revealPending ? DrawState::FlickerDoneRevealPending : DrawState::Finished;
}

void DrawSequence::onTick(int id)
{
    if (id == m_revealTimer)
        reveal();
    else if (id == m_flickerTimer)
        flickerTick();
}

void DrawSequence::flickerTick()
{
    m_view.showBandText(drawName().value_or(QString()));
    const qint32 count = m_state.flickerCount();
    if (count < kLastFlickerCount) {
        m_state.setFlickerCount(count + 1);
    } else {
        m_timers.setPeriod(m_flickerTimer, 0);
        m_state.setFlickerCount(0);
    }
}

void DrawSequence::reveal()
{
    m_view.showStatusText(revealText());
    m_view.showBandText(m_state.chosenName().value_or(QString()));
    m_timers.setPeriod(m_revealTimer, 0);
}

std::optional<QString> DrawSequence::drawName()
{
    const qsizetype count = m_state.nameCount();
    // The window only opens with names; without any there is nothing to draw.
    if (count < 1)
        return std::nullopt;
    m_random.reseed();
    return m_state.name(m_random.randomInRange(1, count));
}

} // namespace quorava
