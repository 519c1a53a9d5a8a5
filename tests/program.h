#pragma once

#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "report.h"
#include "session.h"
#include "settingsdialog.h"
#include "settings.h"
#include "shotpane.h"
#include "shotpicture.h"
#include "statuspane.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// The program as a user drives it, headless, on a 1024 x 768 window; the tick is left to the test.
struct Program
{
    Session session;
    MainWindow window{session};
    MainLoop loop{session, window};
    QStringList boxes; // each box answered: "caption as read|text", "!" first for a warning

    // Given a screen, the window covers it as the program's own start does.
    explicit Program(QScreen *screen = nullptr)
    {
        window.tickTimer().stop();
        if (screen) {
            window.showOn(screen);
        } else {
            window.setGeometry(0, 0, 1024, 768);
            window.show();
        }
        settle();
    }
    void passes(int n) { while (n-- > 0) loop.pass(); }
    // Lets the window system's events arrive and every paint be served.
    void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(5);
            loop.drain(false);
        }
    }
    // A menu click: carried out in the next drain.
    void post(int id) { QMetaObject::invokeMethod(&window, [this, id] { window.command(id); }, Qt::QueuedConnection); }
    void run(int budget = 100000)
    {
        post(IdStart);
        for (int i = 0; i < budget && (i == 0 || session.running()); ++i)
            loop.pass();
    }
    // The shot pane as seen: white beyond the part it keeps a picture of.
    QRgb pixel(int x, int y)
    {
        const QImage &image = window.shotPane().image();
        return image.valid(x, y) ? image.pixel(x, y) & 0xFFFFFF : 0xFFFFFF;
    }
    // The shot pane's logical pixels neither white nor ignored, each with the colour at its middle.
    QMap<std::pair<int, int>, QRgb> points(QRgb ignored = 0xFFFFFF)
    {
        const QImage &image = window.shotPane().image();
        const PixelGrid &grid = window.shotPane().grid();
        QMap<std::pair<int, int>, QRgb> drawn;
        for (int y = 0; grid.centre(y) < image.height(); ++y)
            for (int x = 0; grid.centre(x) < image.width(); ++x)
                if (const QRgb c = image.pixel(grid.centre(x), grid.centre(y)) & 0xFFFFFF; c != ignored && c != 0xFFFFFF)
                    drawn[{x, y}] = c;
        return drawn;
    }
    // Does action, answering every message box that comes up meanwhile with OK.
    void answering(const std::function<void()> &action)
    {
        QTimer answer;
        answer.callOnTimeout([this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); box && box->isVisible()) {
                boxes << (box->icon() == QMessageBox::Warning ? "!" : "") + QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name)
                        + u'|' + box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(0);
        action();
    }
    // Opens the settings from the menu, fills them, presses OK, then Abbrechen if a warning kept them open.
    bool settings(const std::function<void(SettingsDialog &)> &fill)
    {
        bool stayedOpen = false;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = window.findChild<SettingsDialog *>();
            fill(*dialog);
            answering([&] { QTest::mouseClick(child<QPushButton>(*dialog, "okButton"), Qt::LeftButton); });
            if ((stayedOpen = dialog->isVisible())) { // the keyboard back in it, not in the window behind
                settle();
                EXPECT_TRUE(QApplication::activeWindow() == dialog && dialog->isAncestorOf(QApplication::focusWidget()));
                child<QPushButton>(*dialog, "cancelButton")->click();
            }
        });
        window.command(IdSettings);
        return stayedOpen;
    }
    template <typename T = QLineEdit>
    static T *child(QWidget &dialog, const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    // Typed keys go through the key filter, Alt or Ctrl+Alt held on all but digits; Ctrl+V pastes and types nothing.
    enum Entry { Typed, Alt, CtrlAlt, Pasted };
    static void enter(QWidget &dialog, const char *name, const QString &text, Entry how = Typed)
    {
        QLineEdit *field = child(dialog, name);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        if (how == Pasted) {
            QApplication::clipboard()->setText(text);
            return QTest::keyClick(field, 'v', Qt::ControlModifier);
        }
        const Qt::KeyboardModifiers held[] = {Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier | Qt::AltModifier};
        for (const QChar c : text)
            QTest::keyClick(field, c.toLatin1(), c.isDigit() ? Qt::NoModifier : held[how]);
    }
};
