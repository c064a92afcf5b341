// How long the draw window takes from the roll-call click to its first frame on a
// 1920 x 1080 screen, first opening and later ones (picture cached),
// and how much CPU the program uses once both draw timers have stopped.
//
//   bench_draw_open [openings]
#include "app/program_state.h"
#include "windows/draw_random.h"
#include "windows/draw_window.h"
#include "windows/main_window.h"
#include "windows/names_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Records when the first paint of a draw window has been handled.
class FirstFrameWatch : public QObject {
public:
    QElapsedTimer clock;
    qint64 firstFrameNs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painting &&
            qobject_cast<quorava::DrawWindow *>(watched)) {
            // The frame is out once the window and all its controls have painted and the
            // backing store is flushed: the next turn of the event loop.
            m_painting = true;
            QTimer::singleShot(0, this, [this] { firstFrameNs = clock.nsecsElapsed(); });
            return false;
        }
        return false;
    }

private:
    bool m_painting = false; // only the first paint counts
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(u"screen.json"_s);
    {
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication application(argc, argv);
    const int openings = argc > 1 ? std::max(2, atoi(argv[1])) : 20;

    quorava::ProgramState state;
    quorava::DrawRandom random(quorava::systemMillisecondTicks);
    quorava::NameList names(u"张三\n李四\n王五\n"_s);
    names.append(0, 2);
    names.append(3, 2);
    names.append(6, 2);
    state.replaceNameList(names);
    quorava::MainWindow window(state, random);
    window.namesModel()->setNames(&state.nameList());
    window.rollCallButton()->setEnabled(true);
    window.show();
    // As in real use, the window has been up for a moment before the first click.
    {
        QEventLoop settle;
        QTimer::singleShot(1500, &settle, &QEventLoop::quit);
        settle.exec();
    }

    std::vector<double> ms;
    for (int i = 0; i < openings; ++i) {
        FirstFrameWatch watch;
        application.installEventFilter(&watch);
        // Close each draw window once its first frame is out.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (watch.firstFrameNs >= 0)
                if (QWidget *draw = QApplication::activeModalWidget()) {
                    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QCoreApplication::sendEvent(draw, &escape);
                }
        });
        poll.start(5);
        watch.clock.start();
        window.rollCallButton()->click();
        application.removeEventFilter(&watch);
        ms.push_back(double(watch.firstFrameNs) / 1e6);
    }
    std::vector<double> later(ms.begin() + 1, ms.end());
    std::sort(later.begin(), later.end());
    std::printf("draw window, click to first frame at 1920x1080:\n");
    std::printf("  first opening: %.1f ms\n", ms.front());
    std::printf("  later openings (%zu): median %.1f ms, max %.1f ms\n", later.size(),
                later[later.size() / 2], later.back());

    // A whole draw on the real timers, then the CPU used while nothing is running.
    QTimer::singleShot(0, [&] {
        QEventLoop wait;
        QTimer::singleShot(5600, &wait, &QEventLoop::quit); // past the 26th flicker tick
        wait.exec();
        const double before = cpuSeconds();
        QTimer::singleShot(3000, &wait, &QEventLoop::quit);
        wait.exec();
        std::printf("CPU used in the 3 s after both timers stopped: %.1f ms\n",
                    (cpuSeconds() - before) * 1000);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::activeModalWidget(), &escape);
    });
    window.rollCallButton()->click();
    return 0;
}
