#include "primary_screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace quorava {

QSize primaryScreenSize(QSize fallback)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : fallback;
}

} // namespace quorava
