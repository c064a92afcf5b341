#include "fatal_failure.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {
std::function<void(const QString &)> g_reporterForTesting;
} // namespace

void setFatalFailureReporterForTesting(std::function<void(const QString &)> reporter)
{
    g_reporterForTesting = std::move(reporter);
}

void fatalFailure(const QString &what)
{
    if (g_reporterForTesting) {
        g_reporterForTesting(what);
    } else if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // Best effort: with memory exhausted even the box may fail, and the exit below
        // must happen regardless.
        try {
            QMessageBox::critical(nullptr, u"错误"_s, what);
        } catch (...) {
        }
    }
    // _Exit: no destructors, no atexit handlers, so the clean-up does not run.
    std::_Exit(-1);
}

} // namespace quorava
