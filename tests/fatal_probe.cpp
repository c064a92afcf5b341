// Runs the program with a handler that runs out of memory, to show that the process
// ends at once with status -1 and without the exit clean-up.
#include "app/application.h"
#include "app/fatal_failure.h"
#include "app/program.h"
#include "windows/main_window.h"
#include "windows/open_file_dialog.h"

#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <new>

int main(int argc, char **argv)
{
    quorava::Application application(argc, argv);
    quorava::setFatalFailureReporterForTesting([](const QString &what) {
        std::printf("reported: %s\n", what.toUtf8().constData());
        std::fflush(stdout);
    });
    quorava::Program program;
    program.state().setReleaseObserver([](const char *) {
        std::printf("clean-up\n");
        std::fflush(stdout);
    });
    program.openMainWindow();
    // The injected failure: the import finds no memory while its dialog runs.
    quorava::OpenFileDialog::setAnswererForTesting(
        [](const quorava::OpenFileDialog &) -> std::optional<QString> { throw std::bad_alloc(); });
    QTimer::singleShot(0, [&program] { program.mainWindow()->importButton()->click(); });
    return program.run();
}
