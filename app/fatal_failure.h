#pragma once

#include <QString>

#include <functional>

namespace quorava {

// A failure the program cannot go on from (the main window cannot be created, memory is
// exhausted): shows an error box and ends the process at once with status -1, without
// the exit clean-up.
[[noreturn]] void fatalFailure(const QString &what);

// Test seam: replaces the error box, e.g. by a line on standard output.
void setFatalFailureReporterForTesting(std::function<void(const QString &what)> reporter);

} // namespace quorava
