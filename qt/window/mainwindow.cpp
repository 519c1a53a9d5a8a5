#include "mainwindow.h"

#include "aboutdialog.h"
#include "appicon.h"
#include "appstate.h"
#include "commandid.h"
#include "dialogflags.h"
#include "modaldialog.h"
#include "screenfollower.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "shotpaneaccessible.h"
#include "statuspane.h"
#include "statuspaneaccessible.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>

#include <cmath>

MainWindow::MainWindow(AppState &state)
    : m_state(state)
{
    // Before any pane exists: Qt keeps the first interface it made for a widget.
    QAccessible::installFactory(StatusPaneAccessible::create);
    QAccessible::installFactory(ShotPaneAccessible::create);
    setWindowTitle(QStringLiteral("Monte Carlo"));
    setWindowIcon(AppIcon::icon());
    setWindowFlag(Qt::FramelessWindowHint);

    QMenuBar *bar = menuBar();
    bar->setNativeMenuBar(false);
    addCommand(QStringLiteral("&Einstellungen"), IdSettings);
    addCommand(QStringLiteral("|"), IdDividerAfterSettings);
    addCommand(QStringLiteral("&Start"), IdStart);
    addCommand(QStringLiteral("Sto&p"), IdStop);
    addCommand(QStringLiteral("|"), IdDividerAfterStop);
    addCommand(QStringLiteral("Er&gebnis speichern"), IdSaveResult);
    addCommand(QStringLiteral("|"), IdDividerAfterSave);
    addCommand(QStringLiteral("&Beenden"), IdQuit);
    addCommand(QStringLiteral("|"), IdDividerAfterQuit);
    addCommand(QStringLiteral("&?"), IdAbout);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->installEventFilter(this);
    setCentralWidget(client);
    // The status pane is created first, as on the tick it comes first.
    m_statusPane = new StatusPane(m_state.body, m_state.simulation, m_state.pi, client);
    m_shotPane = new ShotPane(m_state.body, m_state.simulation, m_state.colour, client);
    eraseBothPanes();

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

// The client area under the menu bar: the status pane as wide as all of it,
// from the split on and clipped at its right edge; the shot pane left of it.
void MainWindow::layoutPanes()
{
    const int right = clientSize().width();
    const int bottom = clientSize().height();
    const int split = paneSplit(right);
    m_statusPane->setGeometry(split, 0, right, bottom);
    m_shotPane->setGeometry(0, 0, split, bottom);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        layoutPanes();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::tick()
{
    m_state.simulation.tick(m_state.pi, m_state.body);
    m_statusPane->requestPaint(false);
}

QSize MainWindow::clientSize() const
{
    return centralWidget()->size();
}

int MainWindow::paneSplit(int right)
{
    return right - static_cast<int>(std::trunc(right / 2.5));
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
    switch (id) {
    case IdQuit:
        requestQuit();
        break;
    case IdStart:
        m_state.simulation.start();
        break;
    case IdSettings: {
        servePendingPaints();
        SettingsDialog dialog(m_state.body, m_state.simulation, this);
        ModalDialog::exec(dialog);
        eraseBothPanes();
        break;
    }
    case IdStop:
        stop();
        break;
    case IdAbout: {
        servePendingPaints();
        AboutDialog dialog(this);
        ModalDialog::exec(dialog);
        break;
    }
    case IdSaveResult:
        saveResult();
        break;
    default:
        break;
    }
}

void MainWindow::requestQuit()
{
    m_state.quitRequested = true;
}

void MainWindow::stop()
{
    m_state.simulation.stop(m_state.pi);
    m_shotPane->requestPaint(true);
    m_statusPane->requestPaint(true);
}

// Erasing the main window erases both panes: it does not clip its children.
void MainWindow::eraseBothPanes()
{
    m_shotPane->requestPaint(true);
    m_statusPane->requestPaint(true);
}

void MainWindow::saveResult()
{
    const Body &body = m_state.body;
    const Simulation &simulation = m_state.simulation;
    const ResultReport::Outcome outcome = m_state.report.write(
        body.radius(), body.dimensions(), body.volume(), simulation.shots(), simulation.hits(),
        simulation.hitRatio(), simulation.variance(), m_state.pi.value());
    servePendingPaints();
    QMessageBox box(QMessageBox::Information, QStringLiteral("Ergebnis gespeichert."),
                    QStringLiteral("Auswertung in Datei 'mc_result.txt' gespeichert."),
                    QMessageBox::Ok, this);
    if (!outcome.written) {
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Fehler: Speichern"));
        box.setText(QStringLiteral("Auswertung konnte nicht in Datei 'mc_result.txt' "
                                   "gespeichert werden.\n")
                    + QString::fromStdString(outcome.reason));
    }
    box.setWindowFlags(DialogFlags::make(true));
    ModalDialog::exec(box);
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
    requestQuit();
    event->accept();
}
