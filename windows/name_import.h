#pragma once

namespace quorava {

class MainWindow;

// The name-list import: the click of 按钮_导入, also run by the roll-call click when the
// list is empty.
void runNameImport(MainWindow &window);

} // namespace quorava
