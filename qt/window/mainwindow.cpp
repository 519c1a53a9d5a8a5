#include "mainwindow.h"

#include "aboutdialog.h"
#include "appicon.h"
#include "layout.h"
#include "menu.h"
#include "messagebox.h"
#include "modaldialog.h"
#include "screenfollower.h"
#include "session.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "shotpaneaccessible.h"
#include "statuspane.h"
#include "statuspaneaccessible.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

MainWindow::MainWindow(Session &session)
    : m_session(session)
{
    // Before any pane exists: Qt keeps the first interface it made for a widget.
    QAccessible::installFactory(StatusPaneAccessible::create);
    QAccessible::installFactory(ShotPaneAccessible::create);
    setWindowTitle(QStringLiteral("Monte Carlo"));
    setWindowIcon(AppIcon::icon());
    setWindowFlag(Qt::FramelessWindowHint);

    menuBar()->setNativeMenuBar(false);
    for (const Menu::Item &item : Menu::items)
        addCommand(QString::fromUtf8(item.label), item.id);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->installEventFilter(this);
    setCentralWidget(client);
    // The status pane is created first, as on the tick it comes first.
    m_statusPane = new StatusPane(m_session, client);
    m_shotPane = new ShotPane(m_session, client);
    repaint(m_session.shown());

    m_tickTimer.setTimerType(Qt::PreciseTimer);
    m_tickTimer.setInterval(50);
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

void MainWindow::tick()
{
    repaint(m_session.tick());
}

void MainWindow::repaint(const Repaint &repaint)
{
    if (repaint.statusPane)
        m_statusPane->requestPaint(repaint.erase);
    if (repaint.shotPane)
        m_shotPane->requestPaint(repaint.erase);
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
        // A dialog opened from the menu must not leave its item highlighted.
        menuBar()->setActiveAction(nullptr);
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
    switch (reaction.open) {
    case Reaction::Window::Settings: {
        SettingsDialog dialog(m_session, this);
        ModalDialog::exec(dialog);
        repaint(m_session.settingsClosed());
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
