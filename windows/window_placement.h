#pragma once

#include <QPoint>
#include <QSize>

namespace quorava {

// Top-left corner that centres a window of `window` on a screen of `screen`, each
// coordinate truncated toward zero (a window larger than the screen gets a negative one).
QPoint centredWindowPosition(QSize screen, QSize window);

} // namespace quorava
