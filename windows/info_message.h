#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;

namespace quorava {

// The program's information box: caption "信息：", the text shown as plain text, one OK
// button, no icon, owned by no window and modal for the whole application.
std::unique_ptr<QMessageBox> createInformationBox(const QString &text);
// Shows the box and returns once it has been dismissed, in whatever way.
void showInformation(const QString &text);

// Test seam: while set, showInformation() hands the text here instead of showing a box.
void setInformationSinkForTesting(std::function<void(const QString &text)> sink);

} // namespace quorava
