#include "open_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {
OpenFileDialog::Answerer g_answererForTesting;
} // namespace

void OpenFileDialog::setAnswererForTesting(Answerer answerer)
{
    g_answererForTesting = std::move(answerer);
}

bool OpenFileDialog::run(QWidget *parent)
{
    const std::optional<QString> chosen =
        g_answererForTesting ? g_answererForTesting(*this) : ask(parent);
    if (!chosen)
        return false;
    m_fileName = QFileInfo(*chosen).absoluteFilePath();
    return true;
}

std::optional<QString> OpenFileDialog::ask(QWidget *parent) const
{
    QFileDialog dialog(parent);
    // Qt's own dialog, so that the program's visual style reaches it too.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(u"*.txt"_s);
    dialog.setDefaultSuffix(u"txt"_s);
    dialog.setDirectory(m_initialDirectory);
    // Open where the last list came from, with that file selected.
    if (!m_fileName.isEmpty() && QFileInfo::exists(m_fileName))
        dialog.selectFile(m_fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace quorava
