#include "mainwindow.h"

#include "aboutdialog.h"
#include "appicon.h"
#include "appstate.h"
#include "commandid.h"
#include "dialogflags.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "shotpaneaccessible.h"
#include "statuspane.h"
#include "statuspaneaccessible.h"
#include "windowkeeper.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>

#include <cmath>

MainWindow::MainWindow(AppState &state, const QSize &screenSize)
    : m_state(state)
{
    // Before any pane exists: Qt keeps the first interface it made for a widget.
    QAccessible::installFactory(StatusPaneAccessible::create);
    QAccessible::installFactory(ShotPaneAccessible::create);
    setWindowTitle(QStringLiteral("Monte Carlo"));
    setWindowIcon(AppIcon::icon());

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

    const QSize clientSize(screenSize.width(), screenSize.height() - bar->sizeHint().height());
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientSize);
    setCentralWidget(client);

    const int right = clientSize.width();
    const int bottom = clientSize.height();
    const int split = paneSplit(right);
    // The status pane is as wide as the whole client area and clipped at its
    // right edge; it is created first, as its tick starts with it.
    m_statusPane = new StatusPane(m_state.body, m_state.simulation, m_state.pi,
                                  QSize(right, bottom), client);
    m_statusPane->move(split, 0);
    m_shotPane = new ShotPane(m_state.body, m_state.simulation, m_state.colour,
                              QSize(split, bottom), client);
    m_shotPane->move(0, 0);
    eraseBothPanes();
    new WindowKeeper(*this);
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
        dialog.exec();
        eraseBothPanes();
        break;
    }
    case IdStop:
        stop();
        break;
    case IdAbout: {
        servePendingPaints();
        AboutDialog dialog(this);
        dialog.exec();
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
    box.exec();
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
