#include "main_window.h"

#include "windows/draw_window.h"
#include "windows/fonts.h"
#include "windows/main_background.h"
#include "windows/name_import.h"
#include "windows/name_list_view.h"
#include "windows/names_model.h"
#include "windows/primary_screen.h"
#include "windows/roll_call.h"
#include "windows/status_bar.h"
#include "windows/visual_style.h"
#include "windows/window_placement.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

constexpr int kDrawPicturePreloadDelayMs = 1000;

QPushButton *makeButton(const QString &objectName, const QString &caption, QRect place,
                        QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setGeometry(place);
    button->setDefault(true); // both are default push buttons, drawn with the emphasis
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

MainWindow::MainWindow(ProgramState &state, DrawRandom &random, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_state(state), m_random(random), m_background(takeMainBackground())
{
    setWindowTitle(u"Quorava1.1版————Velmira专属"_s);
    setAttribute(Qt::WA_DeleteOnClose); // closing destroys the window and its controls
    // Until the window system reports its frame, the whole outer size is the inner area.
    setFixedSize(kOuterSize);
    move(centredWindowPosition(primaryScreenSize(), kOuterSize));
    setWindowIcon(QIcon(u":/quorava.ico"_s));
    setCursor(Qt::PointingHandCursor);

    createControls();

    // Created event: the program's visual style, before the window is first shown.
    switchVisualStyle(1);

    // Once the window is up and idle, decode the draw window's picture, so that the first
    // draw opens as fast as the later ones. Nobody clicks within the first second.
    QTimer::singleShot(kDrawPicturePreloadDelayMs, this, [] { preloadDrawBackground(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    auto *inner = new QWidget(this);
    inner->setObjectName(u"innerArea"_s);
    setCentralWidget(inner);

    m_list = new NameListView(inner);
    m_list->setObjectName(u"超级列表框1"_s);
    m_list->setGeometry(0, 40, 120, 352);
    m_list->setCursor(Qt::ArrowCursor);
    m_model = new NamesModel(m_list);
    m_list->setModel(m_model);
    m_list->horizontalHeader()->resizeSection(0, 50);
    m_list->horizontalHeader()->resizeSection(1, 200);

    m_importButton = makeButton(u"按钮_导入"_s, u"导入名单"_s, {8, 6, 88, 32}, inner);

    m_statusBar = new PartsStatusBar(this);
    m_statusBar->setObjectName(u"状态条1"_s);
    m_statusBar->setFont(songFont(12, 400));
    m_statusBar->setFixedHeight(QFontMetrics(m_statusBar->font()).height() + 8);
    m_statusBar->setCursor(Qt::ArrowCursor);
    m_statusBar->setAutoFillBackground(true);
    m_statusBar->setFocusPolicy(Qt::NoFocus);
    m_statusBar->setPartText(0, u"成功"_s);
    setStatusBar(m_statusBar);

    m_rollCallButton =
        makeButton(u"按钮_点名"_s, u"开始激动人心的点名吧！"_s, {160, 104, 272, 216}, inner);
    m_rollCallButton->setFont(yaHeiFont(20, 700));
    m_rollCallButton->setEnabled(false);

    // Stacking, top to bottom: roll-call, status bar, import, list.
    m_rollCallButton->raise();

    setTabOrder(m_list, m_importButton);
    setTabOrder(m_importButton, m_rollCallButton);
    for (QWidget *control : {static_cast<QWidget *>(m_list), static_cast<QWidget *>(m_importButton),
                             static_cast<QWidget *>(m_rollCallButton)})
        control->installEventFilter(this);
    m_list->setFocus(Qt::OtherFocusReason);

    // The first accessible name starts the bridge to assistive technology, which takes a few
    // milliseconds: that can wait until the window is on its way to the screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_list->setAccessibleName(u"名单"_s);
            m_statusBar->setAccessibleName(u"状态栏"_s);
        },
        Qt::QueuedConnection);

    connect(m_importButton, &QPushButton::clicked, this, [this] { runNameImport(*this); });
    connect(m_rollCallButton, &QPushButton::clicked, this, [this] { runRollCall(*this); });
}

QPushButton *MainWindow::buttonForEnter() const
{
    auto *focused = qobject_cast<QPushButton *>(focusWidget());
    if (focused && focused->isEnabled() && focused->isDefault())
        return focused;
    for (QPushButton *button : {m_rollCallButton, m_importButton})
        if (button->isEnabled() && button->isDefault())
            return button;
    return nullptr;
}

bool MainWindow::handleWindowKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Escape:
        if (held)
            return false;
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter with Shift, Ctrl or Alt does nothing, even on a button.
        if (!held) {
            if (QPushButton *button = buttonForEnter())
                button->click();
        }
        return true;
    default:
        return false;
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleWindowKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleWindowKey(static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        if (!m_outerSizeFitted && isVisible())
            fitOuterSize();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void MainWindow::fitOuterSize()
{
    const QWindow *window = windowHandle();
    if (!window)
        return;
    const QMargins frame = window->frameMargins();
    if (frame.isNull())
        return; // no frame known (yet, or at all): the outer size is the inner size
    m_outerSizeFitted = true;
    const QSize inner(kOuterSize.width() - frame.left() - frame.right(),
                      kOuterSize.height() - frame.top() - frame.bottom());
    if (size() != inner)
        setFixedSize(inner);
    move(centredWindowPosition(primaryScreenSize(), kOuterSize));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_background.prepare(size());
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background.paint(painter, rect(), palette().color(QPalette::Window));
}

} // namespace quorava
