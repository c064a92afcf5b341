#include "program.h"

#include "app/fatal_failure.h"
#include "windows/main_window.h"

#include <QApplication>
#include <QDir>

#include <new>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

Program::Program() : m_random(systemMillisecondTicks)
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
}

Program::~Program()
{
    delete m_mainWindow.data();
}

MainWindow *Program::mainWindow() const
{
    return m_mainWindow.data();
}

void Program::openMainWindow()
{
    try {
        m_mainWindow = new MainWindow(m_state, m_random);
    } catch (const std::bad_alloc &) {
        fatalFailure(u"无法创建主窗口：内存不足。"_s);
    } catch (const std::exception &) {
        fatalFailure(u"无法创建主窗口。"_s);
    }
    m_mainWindow->show();
    m_mainWindow->activateWindow();
}

int Program::run()
{
    const int status = QApplication::exec();
    // Whatever window is left goes before the clean-up runs.
    delete m_mainWindow.data();
    const QWidgetList leftOver = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> guarded(leftOver.cbegin(), leftOver.cend());
    for (const QPointer<QWidget> &widget : guarded)
        delete widget.data();
    m_state.releaseAll();
    return status;
}

int runProgram()
{
    Program program;
    program.openMainWindow();
    return program.run();
}

} // namespace quorava
