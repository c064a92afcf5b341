#pragma once

#include "app/program_state.h"
#include "windows/draw_random.h"

#include <QPointer>

namespace quorava {

class MainWindow;

// Start-up, the event loop and shutdown of one run of the program.
class Program {
public:
    // Enters the program's folder and creates the program state; the exit clean-up
    // is the state's releaseAll(), run by run() once every window is gone.
    Program();
    ~Program();

    ProgramState &state() { return m_state; }
    DrawRandom &random() { return m_random; }
    MainWindow *mainWindow() const;

    // Creates and shows the main window; a failure to create it is fatal.
    void openMainWindow();
    // Runs the event loop until the last window has gone, destroys what is left, runs
    // the exit clean-up and returns the exit status.
    int run();

private:
    ProgramState m_state;
    DrawRandom m_random;
    QPointer<MainWindow> m_mainWindow;
};

// The whole program: start-up, loop, shutdown.
int runProgram();

} // namespace quorava
