#include "mainwindow.h"

#include "aboutdialog.h"
#include "appicon.h"
#include "desktoppalette.h"
#include "divideraccessible.h"
#include "focusfirstfilter.h"
#include "layout.h"
#include "lineeditaccessible.h"
#include "menu.h"
#include "menubar.h"
#include "messagebox.h"
#include "modaldialog.h"
#include "nameditemaccessible.h"
#include "pace.h"
#include "screenfollower.h"
#include "screenreader.h"
#include "session.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "shotpaneaccessible.h"
#include "statuspane.h"
#include "statuspaneaccessible.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

#include <utility>

MainWindow::MainWindow(Session &session)
    : m_session(session)
{
    // Before any pane exists: Qt keeps the first interface it made for a widget.
    QAccessible::installFactory(StatusPaneAccessible::create);
    QAccessible::installFactory(ShotPaneAccessible::create);
    QAccessible::installFactory(DividerAccessible::create);
    QAccessible::installFactory(NamedItemAccessible::create);
    QAccessible::installFactory(LineEditAccessible::create);
    FocusFirstFilter::install();
    setWindowTitle(QStringLiteral("Monte Carlo"));
    setWindowIcon(AppIcon::icon());
    setWindowFlag(Qt::FramelessWindowHint);

    setMenuBar(new MenuBar(this));
    menuBar()->setNativeMenuBar(false);
    for (const Menu::Item &item : Menu::items)
        addCommand(QString::fromUtf8(item.label), item.id);
    // The keyboard steps over the dividers, as they do nothing.
    connect(menuBar(), &QMenuBar::hovered, this, &MainWindow::skipDivider);
    // F10 opens the menu bar as on Windows and GTK desktops.
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this, &MainWindow::enterMenuBar);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->installEventFilter(this);
    setCentralWidget(client);
    // The status pane is created first, as on the tick it comes first.
    m_statusPane = new StatusPane(m_session, client);
    m_shotPane = new ShotPane(m_session, client);
    connect(m_statusPane, &StatusPane::progressTold, this, &MainWindow::announce);
    followPalette();
    repaint(m_session.everything());

    m_tickTimer.setTimerType(Qt::PreciseTimer);
    m_tickTimer.setInterval(Pace::tickMilliseconds);
    connect(&m_tickTimer, &QTimer::timeout, this, &MainWindow::tick);
    m_tickTimer.start();
}

void MainWindow::showOn(QScreen *screen)
{
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    if (!m_follower)
        m_follower = new ScreenFollower(*this);
}

void MainWindow::layoutPanes()
{
    const auto [status, shots] = Layout::panes(clientSize().width(), clientSize().height());
    m_statusPane->setGeometry(status.x, status.y, status.width, status.height);
    m_shotPane->setGeometry(shots.x, shots.y, shots.width, shots.height);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        layoutPanes();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::followPalette()
{
    const PaneColours colours = PaneColours::of(DesktopPalette::of(QGuiApplication::palette()));
    if (colours == std::exchange(m_colours, colours))
        return;
    m_statusPane->setColours(colours);
    m_shotPane->setColours(colours);
}

void MainWindow::changeEvent(QEvent *event)
{
    // A desktop's new palette reaches every window that has none of its own.
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    QMainWindow::changeEvent(event);
}

void MainWindow::tick()
{
    repaint(m_session.tick());
}

void MainWindow::enterMenuBar()
{
    static_cast<MenuBar *>(menuBar())->enter();
}

void MainWindow::skipDivider(QAction *action)
{
    const QList<QAction *> actions = menuBar()->actions();
    const qsizetype at = actions.indexOf(action);
    const qsizetype from = std::exchange(m_lastHovered, at);
    if (!menuBar()->hasFocus() || !DividerAccessible::isDivider(action))
        return;
    // On in the direction the keyboard came from; dividers never stand at either end.
    const qsizetype next = at + (at > from ? 1 : -1);
    QTimer::singleShot(0, this, [this, target = QPointer<QAction>(actions.value(next))] {
        if (target && menuBar()->hasFocus())
            menuBar()->setActiveAction(target);
    });
}

void MainWindow::repaint(const Repaint &repaint)
{
    if (repaint.announce)
        announce(QString::fromStdString(ScreenReader::announcement(m_session)));
    if (repaint.statusPane)
        m_statusPane->requestPaint(repaint.erase);
    if (repaint.shotPane)
        m_shotPane->requestPaint(repaint.erase);
}

void MainWindow::announce(const QString &sentence)
{
    // The pane's interface is ours, made by the factory installed first thing.
    static_cast<StatusPaneAccessible *>(QAccessible::queryAccessibleInterface(m_statusPane))->announce(sentence);
}

QSize MainWindow::clientSize() const
{
    return centralWidget()->size();
}

void MainWindow::addCommand(const QString &label, int id)
{
    QAction *action = menuBar()->addAction(label);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] {
        // A dialog opened from the menu must not leave its item highlighted, nor the keyboard in the menu bar.
        menuBar()->setActiveAction(nullptr);
        const bool returned = static_cast<MenuBar *>(menuBar())->leave();
        // A mnemonic showed the item to a screen reader as focused: the keyboard never left the pane.
        if (QWidget *focus = QApplication::focusWidget(); !returned && focus && focus != menuBar() && QAccessible::isActive()) {
            QAccessibleEvent back(focus, QAccessible::Focus);
            QAccessible::updateAccessibility(&back);
        }
        command(id);
    });
}

void MainWindow::command(int id)
{
    const Reaction reaction = m_session.command(id);
    repaint(reaction.repaint);
    if (reaction.open == Reaction::Window::None)
        return;
    // What the window showed before, on screen while the modal window is open.
    servePendingPaints();
    // Back to where the user was, not to the menu bar, which keeps no item then.
    QPointer<QWidget> was = QApplication::focusWidget();
    if (!was || was == menuBar())
        was = m_statusPane;
    switch (reaction.open) {
    case Reaction::Window::Settings: {
        SettingsDialog dialog(m_session, this);
        ModalDialog::exec(dialog);
        repaint(m_session.everything());
        break;
    }
    case Reaction::Window::About: {
        AboutDialog dialog(this);
        ModalDialog::exec(dialog);
        break;
    }
    case Reaction::Window::Message:
        MessageBox::show(reaction.message, this);
        break;
    case Reaction::Window::None:
        break;
    }
    if (was)
        was->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::paintsPending() const
{
    return m_shotPane->paintPending() || m_statusPane->paintPending();
}

void MainWindow::servePendingPaints()
{
    m_statusPane->servePaint();
    m_shotPane->servePaint();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closed by the desktop: end the program as "&Beenden" does.
    m_session.requestQuit();
    event->accept();
}
