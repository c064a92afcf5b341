#pragma once

#include <QImage>

namespace quorava {

// The main window's picture is decoded on a worker thread while the window's controls and
// fonts are being set up, so that start-up does not wait for it. Call it once the
// application object exists.
void startDecodingMainBackground();
// The decoded picture: waits for the worker, or decodes here if it was never started.
QImage takeMainBackground();

} // namespace quorava
