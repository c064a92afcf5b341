#pragma once

#include <QSize>

namespace quorava {

// Width and height of the primary screen in pixels; `fallback` when there is no screen.
QSize primaryScreenSize(QSize fallback = {});

} // namespace quorava
