#include "app/program_state.h"
#include "virtual_draw_clock.h"
#include "windows/draw_random.h"
#include "windows/draw_sequence.h"

#include <QTest>

#include <algorithm>
#include <memory>

using namespace quorava;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(quorava::DrawState)

namespace quorava {
char *toString(DrawState state)
{
    switch (state) {
    case DrawState::Running:
        return qstrdup("Running");
    case DrawState::RevealedFlickerFinishing:
        return qstrdup("RevealedFlickerFinishing");
    case DrawState::FlickerDoneRevealPending:
        return qstrdup("FlickerDoneRevealPending");
    case DrawState::Finished:
        return qstrdup("Finished");
    }
    return qstrdup("?");
}
} // namespace quorava

namespace {

using Times = QList<qint64>;

Times every(qint64 first, qint64 step, qint64 last)
{
    Times out;
    for (qint64 t = first; t <= last; t += step)
        out.append(t);
    return out;
}

// A null QString in `names` stands for a name that is none.
NameList makeNames(const QStringList &names)
{
    NameList list(names.join(QString()));
    qsizetype offset = 0;
    for (const QString &name : names) {
        if (name.isNull()) {
            list.appendNone();
        } else {
            list.append(offset, name.size());
            offset += name.size();
        }
    }
    return list;
}

// Everything the sequence writes into the window, with the virtual time of each write.
class RecordingView : public DrawView {
public:
    enum class Kind { Status, FlickerBand, RevealBand };
    struct Write {
        qint64 at;
        Kind kind;
        QString text;
    };

    explicit RecordingView(const VirtualDrawClock &clock) : m_clock(clock) {}

    void showStatusText(const QString &text) override
    {
        writes.append({m_clock.nowMs(), Kind::Status, text});
        status = text;
    }
    void showBandText(const QString &text) override
    {
        // The reveal writes the status line and then the band; a flicker tick only the band.
        const bool byReveal = !writes.isEmpty() && writes.last().kind == Kind::Status &&
                              writes.last().at == m_clock.nowMs() &&
                              writes.last().text == DrawSequence::revealText();
        writes.append({m_clock.nowMs(), byReveal ? Kind::RevealBand : Kind::FlickerBand, text});
        band = text;
    }

    // The writes as "time kind text" lines, times relative to `origin`.
    QStringList lines(qint64 origin) const
    {
        QStringList out;
        for (const Write &w : writes)
            out.append(line(w.at - origin, w.kind, w.text));
        return out;
    }
    static QString line(qint64 at, Kind kind, const QString &text)
    {
        static const char *const names[] = {"status", "flicker", "reveal"};
        return QString::number(at) + u' ' + QLatin1StringView(names[int(kind)]) + u' ' + text;
    }

    Times times(Kind kind, qint64 origin) const
    {
        Times out;
        for (const Write &w : writes) {
            if (w.kind == kind)
                out.append(w.at - origin);
        }
        return out;
    }
    Times revealTimes(qint64 origin) const
    {
        Times out;
        for (const Write &w : writes) {
            if (w.kind == Kind::Status && w.text == DrawSequence::revealText())
                out.append(w.at - origin);
        }
        return out;
    }

    QList<Write> writes;
    QString status = DrawSequence::drawingText(); // the window's defined texts
    QString band;

private:
    const VirtualDrawClock &m_clock;
};
using Kind = RecordingView::Kind;

// One program's worth of state, with the draw window opened and closed on a virtual clock.
// The random ticks come from the same clock, and a second generator fed the same ticks
// predicts every draw, so the tests know which name each tick must show.
struct Bench {
    ProgramState state;
    VirtualDrawClock clock;
    DrawRandom random{[this] { return quint32(clock.nowMs()); }};
    RecordingView view{clock};
    std::unique_ptr<DrawSequence> sequence;

    qint64 predictedAt = 0;
    DrawRandom predictor{[this] { return quint32(predictedAt); }};

    explicit Bench(const QStringList &names) { state.replaceNameList(makeNames(names)); }

    // Creates the window (its timers start) and runs the end of its created event.
    void open()
    {
        sequence = std::make_unique<DrawSequence>(state, random, clock, view);
        sequence->chooseAtOpening();
    }
    void closeWindow()
    {
        sequence->close();
        sequence.reset();
    }

    // The name that a draw at `at` gives, called in the same order as the draws happen.
    QString predictDraw(qint64 at)
    {
        predictedAt = at;
        predictor.reseed();
        return state.nameList().displayName(predictor.randomInRange(1, state.nameCount()));
    }
    void predictReseedOnly(qint64 at)
    {
        predictedAt = at;
        predictor.reseed();
    }
};

const QStringList kNames{u"张伟"_s, u"王芳"_s, u"李娜"_s,       QString(),
                         u"刘洋"_s, u"陈静"_s, u"杨帆 & 赵磊"_s};
constexpr qint64 kOpenedAt = 100000;

} // namespace

class TestDrawSequence : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts();
    void timeline();
    void timelineStates_data();
    void timelineStates();
    void openingKeepsTheTimersRhythm();
    void replay_data();
    void replay();
    void replayAfterFinishRestartsFlickerFirst();
    void closeAndReopen_data();
    void closeAndReopen();
    void oneName_data();
    void oneName();
    void nothingAfterClose_data();
    void nothingAfterClose();
};

void TestDrawSequence::texts()
{
    QCOMPARE(DrawSequence::drawingText(), u"正在随机抽选中..."_s);
    QCOMPARE(DrawSequence::revealText(), u"同学，别看了就是你！"_s);
}

void TestDrawSequence::timeline()
{
    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    QVERIFY(b.view.writes.isEmpty());
    const QString chosen = b.predictDraw(kOpenedAt);
    QCOMPARE(b.state.chosenName().value_or(QString()), chosen);

    QStringList expected;
    QString lastTick;
    for (int k = 1; k <= 26; ++k) {
        const qint64 at = 200 * k;
        if (at == 5000) {
            // The reveal timer was created first, so it goes before flicker tick 25.
            expected << RecordingView::line(at, Kind::Status, DrawSequence::revealText())
                     << RecordingView::line(at, Kind::RevealBand, chosen);
        }
        lastTick = b.predictDraw(kOpenedAt + at);
        expected << RecordingView::line(at, Kind::FlickerBand, lastTick);
    }

    b.clock.advanceTo(kOpenedAt + 60000);
    QCOMPARE(b.view.lines(kOpenedAt), expected);
    QCOMPARE(b.view.status, DrawSequence::revealText());
    QCOMPARE(b.view.band, lastTick);
    QCOMPARE(b.state.flickerCount(), 0);
    QCOMPARE(b.sequence->state(), DrawState::Finished);
    // The list holds a name that is none; this run draws it and shows an empty caption.
    QVERIFY(std::any_of(b.view.writes.cbegin(), b.view.writes.cend(), [](const auto &w) {
        return w.kind == Kind::FlickerBand && w.text.isEmpty();
    }));
}

void TestDrawSequence::timelineStates_data()
{
    QTest::addColumn<qint64>("at");
    QTest::addColumn<DrawState>("state");
    QTest::addColumn<qint32>("count");
    QTest::addColumn<bool>("revealed");
    QTest::addColumn<int>("ticks");

    QTest::newRow("opened") << qint64(0) << DrawState::Running << 0 << false << 0;
    QTest::newRow("before tick 1") << qint64(199) << DrawState::Running << 0 << false << 0;
    QTest::newRow("tick 1") << qint64(200) << DrawState::Running << 1 << false << 1;
    QTest::newRow("tick 24") << qint64(4800) << DrawState::Running << 24 << false << 24;
    QTest::newRow("just before the reveal")
        << qint64(4999) << DrawState::Running << 24 << false << 24;
    QTest::newRow("reveal, tick 25")
        << qint64(5000) << DrawState::RevealedFlickerFinishing << 25 << true << 25;
    QTest::newRow("before tick 26")
        << qint64(5199) << DrawState::RevealedFlickerFinishing << 25 << true << 25;
    QTest::newRow("tick 26") << qint64(5200) << DrawState::Finished << 0 << true << 26;
    QTest::newRow("a minute on") << qint64(60000) << DrawState::Finished << 0 << true << 26;
}

void TestDrawSequence::timelineStates()
{
    QFETCH(qint64, at);
    QFETCH(DrawState, state);
    QFETCH(qint32, count);
    QFETCH(bool, revealed);
    QFETCH(int, ticks);

    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    b.clock.advanceTo(kOpenedAt + at);

    QCOMPARE(b.sequence->state(), state);
    QCOMPARE(b.state.flickerCount(), count);
    QCOMPARE(b.view.status, revealed ? DrawSequence::revealText() : DrawSequence::drawingText());
    QCOMPARE(b.view.times(Kind::FlickerBand, kOpenedAt).size(), ticks);
    QCOMPARE(b.sequence->revealPeriod(), revealed ? 0 : DrawSequence::kRevealPeriodMs);
    QCOMPARE(b.sequence->flickerPeriod(), ticks < 26 ? DrawSequence::kFlickerPeriodMs : 0);
}

void TestDrawSequence::openingKeepsTheTimersRhythm()
{
    // The created event rewrites both periods; being the current ones, they restart nothing.
    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.sequence = std::make_unique<DrawSequence>(b.state, b.random, b.clock, b.view);
    b.clock.advanceTo(kOpenedAt + 150);
    b.sequence->chooseAtOpening();
    QCOMPARE(b.state.chosenName().value_or(QString()), b.predictDraw(kOpenedAt + 150));
    b.clock.advanceTo(kOpenedAt + 60000);
    QCOMPARE(b.view.times(Kind::FlickerBand, kOpenedAt), every(200, 200, 5200));
    QCOMPARE(b.view.revealTimes(kOpenedAt), Times{5000});
}

void TestDrawSequence::replay_data()
{
    QTest::addColumn<qint32>("startCount");
    QTest::addColumn<qint64>("replayAt");
    QTest::addColumn<DrawState>("before");
    QTest::addColumn<Times>("flickerTimes");
    QTest::addColumn<Times>("revealTimes");
    QTest::addColumn<bool>("endsWithChosen");

    const Times normalRun = every(200, 200, 5200);
    QTest::newRow("running: rhythm and reveal kept")
        << 0 << qint64(1000) << DrawState::Running << normalRun << Times{5000} << false;
    QTest::newRow("running, between ticks")
        << 0 << qint64(1100) << DrawState::Running << normalRun << Times{5000} << false;
    QTest::newRow("running, at once")
        << 0 << qint64(0) << DrawState::Running << normalRun << Times{5000} << false;
    QTest::newRow("revealed, flicker finishing: reveal again from the click")
        << 0 << qint64(5100) << DrawState::RevealedFlickerFinishing << normalRun
        << Times{5000, 10100} << true;
    // Opened at a count of 10 the flicker ends after 16 ticks, before the reveal.
    QTest::newRow("flicker done, reveal pending: flicker again from the click")
        << 10 << qint64(4000) << DrawState::FlickerDoneRevealPending
        << every(200, 200, 3200) + every(4200, 200, 9200) << Times{5000} << false;
    QTest::newRow("finished: both again from the click")
        << 0 << qint64(6000) << DrawState::Finished << normalRun + every(6200, 200, 11200)
        << Times{5000, 11000} << false;
    QTest::newRow("finished after a short flicker")
        << 20 << qint64(6000) << DrawState::Finished
        << every(200, 200, 1200) + every(6200, 200, 11200) << Times{5000, 11000} << false;
}

void TestDrawSequence::replay()
{
    QFETCH(qint32, startCount);
    QFETCH(qint64, replayAt);
    QFETCH(DrawState, before);
    QFETCH(Times, flickerTimes);
    QFETCH(Times, revealTimes);
    QFETCH(bool, endsWithChosen);

    Bench b(kNames);
    b.state.setFlickerCount(startCount);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    const std::optional<QString> chosen = b.state.chosenName();
    b.clock.advanceTo(kOpenedAt + replayAt);
    QCOMPARE(b.sequence->state(), before);
    const qint32 countAtClick = b.state.flickerCount();

    b.sequence->replay();
    QCOMPARE(b.sequence->state(), DrawState::Running);
    QCOMPARE(b.view.writes.last().kind, Kind::Status);
    QCOMPARE(b.view.writes.last().at, kOpenedAt + replayAt);
    QCOMPARE(b.view.status, DrawSequence::drawingText());
    QCOMPARE(b.state.chosenName(), chosen);
    QCOMPARE(b.state.flickerCount(), countAtClick);

    b.clock.advanceTo(kOpenedAt + 60000);
    QCOMPARE(b.view.times(Kind::FlickerBand, kOpenedAt), flickerTimes);
    QCOMPARE(b.view.revealTimes(kOpenedAt), revealTimes);
    QCOMPARE(b.view.times(Kind::RevealBand, kOpenedAt), revealTimes);
    QCOMPARE(b.view.writes.last().kind, endsWithChosen ? Kind::RevealBand : Kind::FlickerBand);
    for (const RecordingView::Write &w : b.view.writes) {
        if (w.kind == Kind::RevealBand)
            QCOMPARE(w.text, chosen.value_or(QString()));
    }
    QCOMPARE(b.view.status, DrawSequence::revealText());
    QCOMPARE(b.state.chosenName(), chosen);
    QCOMPARE(b.state.flickerCount(), 0);
    QCOMPARE(b.sequence->state(), DrawState::Finished);
}

void TestDrawSequence::replayAfterFinishRestartsFlickerFirst()
{
    // The click restarts the flicker, then the reveal: 5000 ms on, tick 25 goes first and
    // the chosen name then stays in the band until tick 26.
    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    b.clock.advanceTo(kOpenedAt + 6000);
    b.sequence->replay();
    const qsizetype before = b.view.writes.size();
    b.clock.advanceTo(kOpenedAt + 11000);
    const QList<RecordingView::Write> atReveal = b.view.writes.mid(before + 24);
    QCOMPARE(atReveal.size(), 3);
    QCOMPARE(atReveal[0].kind, Kind::FlickerBand);
    QCOMPARE(atReveal[1].kind, Kind::Status);
    QCOMPARE(atReveal[2].kind, Kind::RevealBand);
    for (const RecordingView::Write &w : atReveal)
        QCOMPARE(w.at, kOpenedAt + 11000);
    QCOMPARE(b.view.band, b.state.chosenName().value_or(QString()));
}

void TestDrawSequence::closeAndReopen_data()
{
    QTest::addColumn<qint32>("closedAtCount");
    for (qint32 c : {1, 2, 13, 24, 25})
        QTest::addRow("count %d", c) << c;
}

void TestDrawSequence::closeAndReopen()
{
    QFETCH(qint32, closedAtCount);
    const qint32 c = closedAtCount;

    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    b.predictDraw(kOpenedAt);
    b.clock.advanceTo(kOpenedAt + 200 * c);
    for (int k = 1; k <= c; ++k)
        b.predictDraw(kOpenedAt + 200 * k);
    QCOMPARE(b.state.flickerCount(), c);
    b.closeWindow();
    QCOMPARE(b.state.flickerCount(), c);

    const qint64 reopenedAt = kOpenedAt + 200 * c + 777;
    b.clock.advanceTo(reopenedAt);
    b.view.writes.clear();
    b.open();
    const QString chosen = b.predictDraw(reopenedAt);
    QCOMPARE(b.state.chosenName().value_or(QString()), chosen);
    b.clock.advanceTo(reopenedAt + 60000);

    // 26 - c ticks; the reveal at 5000 goes before a tick due with it.
    QStringList expected;
    bool revealed = false;
    const auto reveal = [&] {
        expected << RecordingView::line(5000, Kind::Status, DrawSequence::revealText())
                 << RecordingView::line(5000, Kind::RevealBand, chosen);
        revealed = true;
    };
    for (int j = 1; j <= 26 - c; ++j) {
        if (!revealed && 200 * j >= 5000)
            reveal();
        expected << RecordingView::line(200 * j, Kind::FlickerBand,
                                        b.predictDraw(reopenedAt + 200 * j));
    }
    if (!revealed)
        reveal();
    QCOMPARE(b.view.lines(reopenedAt), expected);

    if (c == 1) {
        QCOMPARE(b.view.writes.last().kind, Kind::FlickerBand);
        QCOMPARE(b.view.writes.last().at, reopenedAt + 5000);
    } else {
        QCOMPARE(b.view.writes.last().kind, Kind::RevealBand);
        QCOMPARE(b.view.band, chosen);
    }
    QCOMPARE(b.state.flickerCount(), 0);
    QCOMPARE(b.sequence->state(), DrawState::Finished);
}

void TestDrawSequence::oneName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a name") << u"独一"_s;
    QTest::newRow("a name that is none") << QString();
}

void TestDrawSequence::oneName()
{
    QFETCH(QString, name);

    Bench b({name});
    b.clock.advanceTo(kOpenedAt);
    b.open();
    QCOMPARE(b.state.chosenName(), name.isNull() ? std::nullopt : std::optional<QString>(name));
    b.clock.advanceTo(kOpenedAt + 60000);

    QCOMPARE(b.view.times(Kind::FlickerBand, kOpenedAt), every(200, 200, 5200));
    for (const RecordingView::Write &w : b.view.writes) {
        if (w.kind != Kind::Status)
            QCOMPARE(w.text, name.isNull() ? QString() : name);
    }
    // Every draw reseeded, but none stepped the generator: its state is the last seed.
    b.predictReseedOnly(kOpenedAt);
    for (qint64 at : every(200, 200, 5200))
        b.predictReseedOnly(kOpenedAt + at);
    QCOMPARE(b.random.accumulator(), b.predictor.accumulator());
    QCOMPARE(b.random.state(), b.predictor.state());
}

void TestDrawSequence::nothingAfterClose_data()
{
    QTest::addColumn<qint64>("closeAt");
    QTest::addColumn<qint32>("count");
    QTest::newRow("at opening") << qint64(0) << 0;
    QTest::newRow("while flickering") << qint64(1000) << 5;
    QTest::newRow("just before the reveal") << qint64(4999) << 24;
    QTest::newRow("after the reveal") << qint64(5100) << 25;
    QTest::newRow("finished") << qint64(6000) << 0;
}

void TestDrawSequence::nothingAfterClose()
{
    QFETCH(qint64, closeAt);
    QFETCH(qint32, count);

    Bench b(kNames);
    b.clock.advanceTo(kOpenedAt);
    b.open();
    b.clock.advanceTo(kOpenedAt + closeAt);
    b.sequence->close();
    const qsizetype writes = b.view.writes.size();
    QVERIFY(b.sequence->isClosed());
    QCOMPARE(b.sequence->flickerPeriod(), 0);
    QCOMPARE(b.sequence->revealPeriod(), 0);
    QVERIFY(!b.clock.pendingWake());

    b.clock.advanceTo(kOpenedAt + 60000);
    b.sequence->replay(); // a click that was queued behind the back button
    b.clock.advanceTo(kOpenedAt + 120000);
    QCOMPARE(b.view.writes.size(), writes);
    QCOMPARE(b.state.flickerCount(), count);

    // Destroying an open sequence stops its timers just the same.
    Bench d(kNames);
    d.open();
    d.sequence.reset();
    QVERIFY(!d.clock.pendingWake());
    d.clock.advanceTo(60000);
    QVERIFY(d.view.writes.isEmpty());
}

QTEST_GUILESS_MAIN(TestDrawSequence)
#include "test_draw_sequence.moc"
