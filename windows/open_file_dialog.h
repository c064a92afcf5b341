#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quorava {

// The main window's open-file dialog: its settings live as long as the window, so the
// chosen file is remembered from one import to the next.
class OpenFileDialog {
public:
    void setInitialDirectory(const QString &directory) { m_initialDirectory = directory; }
    QString initialDirectory() const { return m_initialDirectory; }
    // The full path of the last confirmed choice; empty before the first one.
    QString fileName() const { return m_fileName; }

    // Runs the dialog modally; on confirmation fileName() becomes the chosen file.
    bool run(QWidget *parent);

    // Test seam: while set, run() asks this instead of showing a dialog. It receives the
    // dialog's settings and answers with the chosen path, or std::nullopt for a cancel.
    using Answerer = std::function<std::optional<QString>(const OpenFileDialog &)>;
    static void setAnswererForTesting(Answerer answerer);

private:
    std::optional<QString> ask(QWidget *parent) const;

    QString m_initialDirectory;
    QString m_fileName;
};

} // namespace quorava
