#include "aboutdialog.h"
#include "appstate.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "statuspane.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>

// Runs once per desktop scale (QT_SCALE_FACTOR, set by ctest): whatever the
// scale and the desktop's font, the geometry stays in logical pixels and the
// panes are drawn at the screen's resolution.
namespace {

qreal scale() { return qApp->devicePixelRatio(); }
int toImage(int logical) { return static_cast<int>(std::floor(logical * scale() + 1e-6)); }
bool black(const QImage &image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

// Black pixels from (x, y) on in steps of (dx, dy).
int run(const QImage &image, int x, int y, int dx, int dy)
{
    int count = 0;
    for (; black(image, x, y); x += dx, y += dy)
        ++count;
    return count;
}

} // namespace

TEST(Desktop, ShotPaneEdgesAndShotsAreWholeBlocksOfScreenPixels)
{
    AppState state;
    MainWindow window(state);
    window.setGeometry(0, 0, 1024, 768);
    window.show();
    MainLoop loop(state, window);
    loop.pass();
    const int block = static_cast<int>(std::ceil(scale() - 1e-6));
    const QImage &figure = window.shotPane().image();
    ASSERT_EQ(figure.width(), std::ceil(window.shotPane().extent().width() * scale() - 1e-6));
    const int first = toImage(10), last = toImage(409) + block - 1, near = toImage(15);
    EXPECT_FALSE(black(figure, first - 1, near));
    EXPECT_EQ(run(figure, near, first, 0, 1), block) << "top";
    EXPECT_EQ(run(figure, near, last, 0, -1), block) << "bottom";
    EXPECT_EQ(run(figure, first, near, 1, 0), block) << "left";
    EXPECT_EQ(run(figure, last, near, -1, 0), block) << "right";

    state.simulation.start();
    for (int pass = 0; pass < 500; ++pass)
        loop.pass();
    window.servePendingPaints();
    const QImage &shots = window.shotPane().image();
    const int x = toImage(window.shotPane().toPane(state.simulation.shotX()));
    const int y = toImage(window.shotPane().toPane(state.simulation.shotY()));
    for (int i = 0; i < block * block; ++i)
        EXPECT_EQ(shots.pixel(x + i % block, y + i / block) & 0xFFFFFF, state.colour.rgb() & 0xFFFFFF);
}

// Application fonts a desktop may set: the page and the dialogs do not follow them.
TEST(Desktop, PageAndDialogsKeepTheirGeometryWithAnyDesktopFont)
{
    const QFont desktop = QApplication::font();
    int lineHeight = 0;
    for (const char *family : {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"}) {
        for (int points = 8; points <= 14; points += 3) {
            SCOPED_TRACE(std::string(family) + " " + std::to_string(points) + " pt");
            QApplication::setFont(QFont(family, points));
            AppState state;
            MainWindow window(state);
            window.setGeometry(0, 0, 1024, 768);
            window.show();
            MainLoop(state, window).pass();
            const StatusPane &pane = window.statusPane();
            lineHeight = lineHeight ? lineHeight : pane.lineHeight();
            EXPECT_EQ(pane.lineHeight(), lineHeight);
            // A few pixels before the value column stay black on every label's line.
            const QImage &page = window.statusPane().image();
            ASSERT_EQ(page.devicePixelRatio(), scale());
            for (int line : {2, 3, 4, 5, 9, 10, 11, 12})
                for (int y = toImage(lineHeight * line + 10); y < toImage(lineHeight * (line + 1) + 10); ++y)
                    for (int x = toImage(136); x < toImage(140); ++x)
                        ASSERT_TRUE(black(page, x, y)) << "line " << line;

            SettingsDialog settings(state.body, state.simulation, &window);
            AboutDialog about(&window);
            for (QDialog *dialog : {static_cast<QDialog *>(&settings), static_cast<QDialog *>(&about)}) {
                const auto fields = dialog->findChildren<QLineEdit *>();
                for (QWidget *text : dialog->findChildren<QWidget *>()) {
                    if (!qobject_cast<QLabel *>(text) && !qobject_cast<QCheckBox *>(text))
                        continue;
                    SCOPED_TRACE(text->property("text").toString().toStdString());
                    EXPECT_GE(text->width(), text->sizeHint().width());
                    EXPECT_TRUE(dialog->rect().contains(text->geometry()));
                    for (const QLineEdit *field : fields)
                        EXPECT_FALSE(field->geometry().intersects(text->geometry()));
                }
            }
        }
    }
    QApplication::setFont(desktop);
}
