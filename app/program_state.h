#pragma once

#include "name_list.h"

#include <QString>

#include <functional>
#include <optional>

namespace quorava {

// The four values that the windows' handlers share. One instance lives from start-up to
// exit; releaseAll() is the exit clean-up.
class ProgramState {
public:
    ProgramState() = default;
    ProgramState(const ProgramState &) = delete;
    ProgramState &operator=(const ProgramState &) = delete;

    const std::optional<QString> &importedText() const { return m_importedText; }
    void replaceImportedText(std::optional<QString> text);

    const NameList &nameList() const { return m_nameList; }
    void replaceNameList(NameList names);
    qsizetype nameCount() const { return m_nameList.count(); }
    // Name number p, 1 <= p <= nameCount().
    std::optional<QString> name(qsizetype p) const { return m_nameList.name(p); }

    const std::optional<QString> &chosenName() const { return m_chosenName; }
    void replaceChosenName(std::optional<QString> name);

    qint32 flickerCount() const { return m_flickerCount; }
    void setFlickerCount(qint32 count) { m_flickerCount = count; }

    // The exit clean-up: releases imported_text, then the names and their list, then
    // chosen_name. Runs its steps once; later calls do nothing.
    void releaseAll();
    bool released() const { return m_released; }

    // Observes each clean-up step by name ("imported_text", "name_list", "chosen_name"),
    // so that the order can be checked.
    void setReleaseObserver(std::function<void(const char *step)> observer);

private:
    void noteRelease(const char *step);

    std::optional<QString> m_importedText;
    NameList m_nameList;
    std::optional<QString> m_chosenName;
    qint32 m_flickerCount = 0;
    bool m_released = false;
    std::function<void(const char *)> m_releaseObserver;
};

} // namespace quorava
