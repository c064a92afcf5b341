#include "application.h"

#include "app/fatal_failure.h"

#include <new>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

const char *const Application::kDescriptionProperty = "applicationDescription";

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(u"quorava"_s);
    setApplicationVersion(u"1.1.0.0"_s);
    setProperty(kDescriptionProperty, u"系统随机选取一个人名或者编号。"_s);
    setQuitOnLastWindowClosed(true);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc &) {
        fatalFailure(u"内存不足，程序无法继续运行。"_s);
    }
}

} // namespace quorava
