#pragma once

#include "windows/open_file_dialog.h"
#include "windows/stretched_picture.h"

#include <QMainWindow>

class QPushButton;

namespace quorava {

class DrawRandom;
class NameListView;
class NamesModel;
class PartsStatusBar;
class ProgramState;

// The program's start window: the numbered list of names, the import button, the large
// roll-call button and the status bar, over a stretched background picture.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize kOuterSize{475, 439};

    MainWindow(ProgramState &state, DrawRandom &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    ProgramState &state() { return m_state; }
    DrawRandom &random() { return m_random; }
    NameListView *nameListView() const { return m_list; }
    NamesModel *namesModel() const { return m_model; }
    QPushButton *importButton() const { return m_importButton; }
    QPushButton *rollCallButton() const { return m_rollCallButton; }
    PartsStatusBar *partsStatusBar() const { return m_statusBar; }
    OpenFileDialog &fileDialog() { return m_fileDialog; }

    // Enter's rule: the focused enabled default button, else the first enabled default
    // button of the window (roll-call before import); nullptr when none is enabled.
    QPushButton *buttonForEnter() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    bool handleWindowKey(QKeyEvent *event);
    void fitOuterSize();

    ProgramState &m_state;
    DrawRandom &m_random;
    StretchedPicture m_background;
    NameListView *m_list = nullptr;
    NamesModel *m_model = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_rollCallButton = nullptr;
    PartsStatusBar *m_statusBar = nullptr;
    OpenFileDialog m_fileDialog; // 通用对话框1: no presence on screen
    bool m_outerSizeFitted = false;
};

} // namespace quorava
