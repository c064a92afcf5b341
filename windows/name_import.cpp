#include "name_import.h"

#include "app/program_state.h"
#include "windows/info_message.h"
#include "windows/main_window.h"
#include "windows/names_model.h"
#include "windows/names_text.h"
#include "windows/status_bar.h"

#include <QCoreApplication>
#include <QPushButton>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

void runNameImport(MainWindow &window)
{
    window.namesModel()->clear();
    // Every import enables roll-call, whatever comes of the rest.
    window.rollCallButton()->setEnabled(true);

    OpenFileDialog &dialog = window.fileDialog();
    dialog.setInitialDirectory(QCoreApplication::applicationDirPath());
    dialog.run(&window);
    // After a cancel this is the file of the last confirmed choice, read afresh.
    const QString path = dialog.fileName();

    LoadedNames loaded = loadNamesFile(path);
    // A file that cannot be read is said so; no file chosen yet is no failure.
    if (loaded.read.error != NamesFileError::None &&
        loaded.read.error != NamesFileError::NoFileChosen)
        showInformation(describeNamesFileError(path, loaded.read));

    ProgramState &state = window.state();
    state.replaceImportedText(std::move(loaded.text));
    state.replaceNameList(std::move(loaded.names));

    // One model insertion for all rows, one status write for the count.
    window.namesModel()->setNames(&state.nameList());
    window.partsStatusBar()->setPartText(1, QString::number(state.nameCount()) + u"条"_s);
}

} // namespace quorava
