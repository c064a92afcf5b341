#include "program_state.h"

#include <utility>

namespace quorava {

// Each replacement receives the new value fully built; the old one is released by the
// move assignment before the new one is stored, and the argument's shell goes last.

void ProgramState::replaceImportedText(std::optional<QString> text)
{
    m_importedText = std::move(text);
}

void ProgramState::replaceNameList(NameList names)
{
    m_nameList = std::move(names);
}

void ProgramState::replaceChosenName(std::optional<QString> name)
{
    m_chosenName = std::move(name);
}

void ProgramState::setReleaseObserver(std::function<void(const char *)> observer)
{
    m_releaseObserver = std::move(observer);
}

void ProgramState::noteRelease(const char *step)
{
    if (m_releaseObserver)
        m_releaseObserver(step);
}

void ProgramState::releaseAll()
{
    if (m_released)
        return;
    m_released = true;
    if (m_importedText) {
        m_importedText.reset();
        noteRelease("imported_text");
    }
    m_nameList = NameList();
    noteRelease("name_list");
    if (m_chosenName) {
        m_chosenName.reset();
        noteRelease("chosen_name");
    }
}

} // namespace quorava
