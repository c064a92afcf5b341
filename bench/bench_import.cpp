// Import benchmark: from a names file on disk to rows ready in the main window's list.
//
//   bench_import              generates GBK CR LF files of 50, 100,000 and 1,000,000 names and
//                             measures each in a fresh process of its own, then prints a table
//   bench_import --child FILE REPS
//                             measures one file (what the parent runs)
//
// Run it from a Release build. Times are wall-clock milliseconds; "cold" is the first import in
// a fresh process (decoder set-up, first touch of fresh memory), min and median are over the
// imports after it. Peak RSS is the process's high-water mark (VmHWM), the program's baseline
// (application and window) included; "peakN" also covers an import replacing a list as large.

#include "app/name_list.h"
#include "windows/name_list_view.h"
#include "windows/names_file_reader.h"
#include "windows/names_model.h"
#include "windows/names_text.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace quorava;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double minimum(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// The process's peak resident set so far, in KiB.
long peakRssKib()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Three-character names, surname first, as lines ending in CR LF: in GBK 8 bytes a name.
QByteArray generateNames(int count, const char *encoding)
{
    const QString surnames =
        u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董"_s;
    const QString given = u"伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰萍红建文辉力"
                          u"婷鹏晨宇浩然欣怡子涵梓轩雨思佳俊博"_s;
    std::mt19937 random(20240901);
    std::uniform_int_distribution<qsizetype> surname(0, surnames.size() - 1);
    std::uniform_int_distribution<qsizetype> name(0, given.size() - 1);
    QString text;
    text.reserve(qsizetype(count) * 5);
    for (int i = 0; i < count; ++i) {
        text += surnames[surname(random)];
        text += given[name(random)];
        text += given[name(random)];
        text += u"\r\n"_s;
    }
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

struct Timings {
    double cold = 0, coldLoad = 0, coldView = 0;
    std::vector<double> total, load, view;
    long baselineKib = 0, peakAfterFirstKib = 0, peakAfterAllKib = 0;
    qsizetype names = 0;
};

// One process measures one file: the first import cold, then `reps` more.
int runChild(int argc, char **argv, const QString &path, int reps)
{
    QApplication app(argc, argv);

    // What the import shows the names in: the main window's list, at its size.
    QWidget window;
    window.resize(480, 400);
    auto *list = new NameListView(&window);
    list->setGeometry(0, 40, 120, 352);
    auto *model = new NamesModel(list);
    list->setModel(model);
    list->horizontalHeader()->resizeSection(0, 50);
    list->horizontalHeader()->resizeSection(1, 200);
    window.show();
    QCoreApplication::processEvents();

    Timings t;
    t.baselineKib = peakRssKib();

    // The program state's text and list; the model shows the list.
    QString currentText;
    NameList current;

    for (int rep = 0; rep <= reps; ++rep) {
        // As the import runs: rows deleted, the file read, decoded and split, the previous
        // text and list released, the rows shown.
        const Clock::time_point start = Clock::now();
        model->clear();
        LoadedNames loaded = loadNamesFile(path);
        currentText = std::move(loaded.text);
        current = std::move(loaded.names);
        const double load = msSince(start);

        const Clock::time_point shown = Clock::now();
        model->setNames(&current);
        // Rows ready: the delayed layout has run and the visible rows are painted.
        QCoreApplication::processEvents();
        list->viewport()->repaint();
        const double view = msSince(shown);

        const double total = msSince(start);
        if (rep == 0) {
            t.cold = total;
            t.coldLoad = load;
            t.coldView = view;
            t.peakAfterFirstKib = peakRssKib();
            t.names = current.count();
        } else {
            t.total.push_back(total);
            t.load.push_back(load);
            t.view.push_back(view);
        }
    }
    t.peakAfterAllKib = peakRssKib();

    std::printf("names=%lld cold=%.2f coldload=%.2f coldview=%.2f min=%.2f median=%.2f "
                "load=%.2f view=%.2f base=%ld peak1=%ld peakN=%ld\n",
                static_cast<long long>(t.names), t.cold, t.coldLoad, t.coldView, minimum(t.total),
                median(t.total), median(t.load), median(t.view), t.baselineKib, t.peakAfterFirstKib,
                t.peakAfterAllKib);
    return 0;
}

int runAll(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }

    struct Case {
        int names;
        int reps;
        const char *encoding;
    };
    // The goals are for GBK; the UTF-8 file is for comparison.
    const Case cases[] = {{50, 200, "GB18030"},
                          {100'000, 20, "GB18030"},
                          {1'000'000, 10, "GB18030"},
                          {1'000'000, 10, "UTF-8"}};

    // Each file is measured in several fresh processes: this machine's speed drifts from one
    // second to the next, and a cold import happens once per process.
    constexpr int kProcesses = 5;

    std::printf("Import of names files (CR LF lines): from the file to rows ready in the view.\n"
                "Times in ms, over %d fresh processes a file. cold: the first import in a process\n"
                "(median of the processes); again: min and median of the imports after it.\n"
                "load: read, decode, split; view: rows shown (medians). Peak RSS in MB of the\n"
                "whole process (the largest); base: application and window before any import.\n\n",
                kProcesses);
    std::printf("%9s %-7s %5s | %-20s | %-27s | %s\n", "", "", "", "cold", "again", "peak RSS");
    std::printf("%9s %-7s %5s | %6s %6s %6s | %6s %6s %6s %6s | %6s %6s %6s\n", "names", "file",
                "MB", "total", "load", "view", "min", "median", "load", "view", "base", "first",
                "all");
    for (const Case &c : cases) {
        const QString path =
            dir.filePath(u"names_%1_%2.txt"_s.arg(c.names).arg(QLatin1StringView(c.encoding)));
        const QByteArray bytes = generateNames(c.names, c.encoding);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        file.close();

        QHash<QByteArray, std::vector<double>> runs;
        for (int process = 0; process < kProcesses; ++process) {
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            if (!env.contains(u"QT_QPA_PLATFORM"_s))
                env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
            child.setProcessEnvironment(env);
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {u"--child"_s, path, QString::number(c.reps)});
            if (!child.waitForFinished(-1) || child.exitCode() != 0) {
                std::fprintf(stderr, "measuring %d names failed\n", c.names);
                return 1;
            }
            for (const QByteArray &pair : child.readAllStandardOutput().trimmed().split(' ')) {
                const qsizetype eq = pair.indexOf('=');
                if (eq > 0)
                    runs[pair.left(eq)].push_back(pair.mid(eq + 1).toDouble());
            }
        }
        const auto med = [&](const char *key) { return median(runs.value(key)); };
        const auto least = [&](const char *key) { return minimum(runs.value(key)); };
        const auto most = [&](const char *key) {
            const std::vector<double> values = runs.value(key);
            return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
        };
        if (least("names") != c.names || most("names") != c.names)
            std::fprintf(stderr, "expected %d names\n", c.names);
        std::printf("%9d %-7s %5.1f | %6.2f %6.2f %6.2f | %6.2f %6.2f %6.2f %6.2f | %6.1f %6.1f "
                    "%6.1f\n",
                    c.names, c.encoding == QByteArrayView("GB18030") ? "GBK" : c.encoding,
                    bytes.size() / 1e6, med("cold"), med("coldload"), med("coldview"), least("min"),
                    med("median"), med("load"), med("view"), most("base") / 1024,
                    most("peak1") / 1024, most("peakN") / 1024);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]), std::max(1, atoi(argv[3])));
    return runAll(argc, argv);
}
