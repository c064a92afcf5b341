#pragma once

#include "app/program_state.h"
#include "windows/draw_random.h"
#include "windows/info_message.h"
#include "windows/main_window.h"
#include "windows/open_file_dialog.h"

#include <QPointer>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>

// A shown, active main window over its own program state, with the file dialog and the
// information box answered by the test.
struct MainWindowFixture {
    quorava::ProgramState state;
    quorava::DrawRandom random{[] { return quint32(12345); }};
    QPointer<quorava::MainWindow> window;
    // Answers for the coming file dialogs, in order; an empty optional is a cancel.
    QList<std::optional<QString>> dialogAnswers;
    QStringList dialogDirectories;
    int dialogRuns = 0;
    QStringList messages;

    MainWindowFixture()
    {
        quorava::OpenFileDialog::setAnswererForTesting(
            [this](const quorava::OpenFileDialog &dialog) -> std::optional<QString> {
                ++dialogRuns;
                dialogDirectories.append(dialog.initialDirectory());
                return dialogAnswers.isEmpty() ? std::nullopt : dialogAnswers.takeFirst();
            });
        quorava::setInformationSinkForTesting(
            [this](const QString &text) { messages.append(text); });
        window = new quorava::MainWindow(state, random);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    ~MainWindowFixture()
    {
        delete window.data();
        quorava::OpenFileDialog::setAnswererForTesting({});
        quorava::setInformationSinkForTesting({});
    }

    template <typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromUtf8(name));
    }
};
