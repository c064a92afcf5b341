#include "roll_call.h"

#include "windows/draw_window.h"
#include "windows/info_message.h"
#include "windows/main_window.h"
#include "windows/name_import.h"
#include "windows/names_model.h"

using namespace Qt::Literals::StringLiterals;

namespace quorava {

void runRollCall(MainWindow &window)
{
    if (window.namesModel()->rowCount() != 0) {
        runDrawWindowModally(window.state(), window.random(), &window);
        return;
    }
    showInformation(u"先导入再点名！"_s);
    runNameImport(window);
}

} // namespace quorava
