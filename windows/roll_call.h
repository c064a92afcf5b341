#pragma once

namespace quorava {

class MainWindow;

// The click of 按钮_点名: opens the draw window when the list has rows, otherwise asks
// for an import first and runs it.
void runRollCall(MainWindow &window);

} // namespace quorava
