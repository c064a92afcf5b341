#include "draw_window.h"

#include "windows/draw_layout.h"
#include "windows/engraved_label.h"
#include "windows/fonts.h"
#include "windows/primary_screen.h"
#include "windows/qt_draw_clock.h"
#include "windows/visual_style.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

const QColor kPink(255, 128, 192);
const QColor kSilver(192, 192, 192);
const QColor kStatusBlue(0, 136, 255);

DrawWindow::ClockFactory g_clockFactoryForTesting;

// Decoded on the first opening and kept: later openings start without decoding.
const QImage &drawBackgroundPicture()
{
    static const QImage picture = decodePicture(u":/draw_background.jpg"_s);
    return picture;
}

QLineEdit *makeReadOnlyEdit(const QString &name, QRect place, int pixelSize, QColor text,
                            QColor background, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFont(defaultFaceFont(pixelSize, 700));
    edit->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette colours = edit->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Text, text);
        colours.setColor(group, QPalette::Base, background);
    }
    edit->setPalette(colours);
    return edit;
}

QPushButton *makeButton(const QString &name, const QString &caption, QRect place, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFont(defaultFaceFont(19, 700));
    return button;
}

// Lets 时钟1 and 时钟2 be found by name like every other control, with their period.
class TimerHandle : public QObject {
    Q_OBJECT
    Q_PROPERTY(int period READ period)
public:
    TimerHandle(const QString &name, std::function<int()> period, QObject *parent)
        : QObject(parent), m_period(std::move(period))
    {
        setObjectName(name);
    }
    int period() const { return m_period(); }

private:
    std::function<int()> m_period;
};

} // namespace

void DrawWindow::setClockFactoryForTesting(ClockFactory factory)
{
    g_clockFactoryForTesting = std::move(factory);
}

DrawWindow::DrawWindow(ProgramState &state, DrawRandom &random, QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), m_background(drawBackgroundPicture())
{
    // Owned by the main window, so it gets no task-bar entry of its own.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QString());
    const QRect defined = draw_window::kDefinedWindow;
    const QSize screen = primaryScreenSize(draw_window::kDefinedWindow.size());
    resize(defined.size());
    move((screen.width() - defined.width()) / 2, (screen.height() - defined.height()) / 2);

    createControls(state, random);

    // Created event, before the window is first shown.
    switchVisualStyle(1);
    layOutFullScreen();
    m_sequence->chooseAtOpening();
}

DrawWindow::~DrawWindow()
{
    // The timers stop before anything they write to goes.
    if (m_sequence)
        m_sequence->close();
}

void DrawWindow::createControls(ProgramState &state, DrawRandom &random)
{
    using namespace draw_window;
    // Creation order: 编辑框1, 编辑框2, 按钮1, 时钟1, 时钟2, 按钮2, 标签1; later siblings are
    // drawn on top, which gives the stacking 标签1, 按钮2, 按钮1, 编辑框2, 编辑框1.
    m_statusLine =
        makeReadOnlyEdit(u"编辑框1"_s, kDefinedStatusLine, 29, kStatusBlue, kSilver, this);
    m_statusLine->setText(DrawSequence::drawingText());
    m_bandUnder = makeReadOnlyEdit(u"编辑框2"_s, kDefinedBandUnder, 96, Qt::black, kPink, this);
    m_backButton = makeButton(u"按钮1"_s, u"返回上一页"_s, kDefinedBackButton, this);

    m_clock =
        g_clockFactoryForTesting ? g_clockFactoryForTesting() : std::make_unique<QtDrawClock>();
    m_sequence = std::make_unique<DrawSequence>(state, random, *m_clock, *this);
    new TimerHandle(
        u"时钟1"_s, [this] { return m_sequence->revealPeriod(); }, this);
    new TimerHandle(
        u"时钟2"_s, [this] { return m_sequence->flickerPeriod(); }, this);

    m_replayButton = makeButton(u"按钮2"_s, u"重新点名"_s, kDefinedReplayButton, this);

    m_band = new EngravedLabel(this);
    m_band->setObjectName(u"标签1"_s);
    m_band->setGeometry(kDefinedBand);
    m_band->setFont(defaultFaceFont(96, 700));
    m_band->setBackground(kPink);
    m_band->setTextColour(Qt::black);

    for (QWidget *control :
         {static_cast<QWidget *>(m_statusLine), static_cast<QWidget *>(m_bandUnder),
          static_cast<QWidget *>(m_backButton), static_cast<QWidget *>(m_replayButton),
          static_cast<QWidget *>(m_band)})
        control->installEventFilter(this);
    setTabOrder(m_backButton, m_replayButton);

    connect(m_backButton, &QPushButton::clicked, this, &DrawWindow::goBack);
    connect(m_replayButton, &QPushButton::clicked, this, [this] { m_sequence->replay(); });
}

void DrawWindow::layOutFullScreen()
{
    const QSize screen = primaryScreenSize(draw_window::kDefinedWindow.size());
    const DrawLayout layout = layOutDrawWindow(screen.width(), screen.height());
    setGeometry(layout.window);
    m_bandUnder->setGeometry(layout.bandUnder);
    m_statusLine->setGeometry(layout.statusLine);
    m_backButton->setGeometry(layout.backButton);
    m_replayButton->setGeometry(layout.replayButton);
    m_band->setGeometry(layout.band);
    m_background.prepare(layout.window.size()); // scaled now, not at the first paint
}

void DrawWindow::showStatusText(const QString &text)
{
    m_statusLine->setText(text);
}

void DrawWindow::showBandText(const QString &text)
{
    m_band->setText(text);
}

void DrawWindow::goBack()
{
    // Destruction is queued (WA_DeleteOnClose); the timers stop now, so no tick comes
    // in between.
    m_sequence->close();
    close();
}

bool DrawWindow::closeOnEscape(QKeyEvent *event)
{
    const auto held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() != Qt::Key_Escape || held)
        return false;
    m_sequence->close();
    close();
    return true;
}

bool DrawWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && closeOnEscape(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void DrawWindow::keyPressEvent(QKeyEvent *event)
{
    if (!closeOnEscape(event))
        QWidget::keyPressEvent(event);
}

void DrawWindow::closeEvent(QCloseEvent *event)
{
    m_sequence->close();
    QWidget::closeEvent(event);
}

void DrawWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background.paint(painter, rect(), palette().color(QPalette::Window));
}

void preloadDrawBackground()
{
    drawBackgroundPicture();
}

void runDrawWindowModally(ProgramState &state, DrawRandom &random, QWidget *owner)
{
    QPointer<DrawWindow> window = new DrawWindow(state, random, owner);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->showFullScreen();
    window->activateWindow();
    // Closing hides the window first, which gives the other windows their input back;
    // its queued destruction then ends this loop.
    if (window)
        loop.exec();
}

} // namespace quorava

#include "draw_window.moc"
