#include "aboutdialog.h"
#include "program.h"

#include <cmath>

// Runs once per desktop scale (QT_SCALE_FACTOR, set by ctest): whatever the scale and the desktop's
// font, the geometry stays in logical pixels and the panes are drawn at the screen's resolution.
namespace {

qreal scale() { return qApp->devicePixelRatio(); }
int toImage(int logical) { return static_cast<int>(std::floor(logical * scale() + 1e-6)); }
bool black(const QImage &image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

// Black pixels from (x, y) on in steps of (dx, dy).
int run(const QImage &image, int x, int y, int dx, int dy)
{
    int length = 0;
    while (black(image, x + length * dx, y + length * dy))
        ++length;
    return length;
}

TEST(Desktop, ShotPaneEdgesAndShotsAreWholeBlocksOfScreenPixels)
{
    Program p;
    const int block = static_cast<int>(std::ceil(scale() - 1e-6));
    const QImage &figure = p.window.shotPane().image();
    ASSERT_EQ(figure.width(), std::ceil(p.window.shotPane().extent().width() * scale() - 1e-6));
    const int first = toImage(10), last = toImage(409) + block - 1, near = toImage(15);
    EXPECT_FALSE(black(figure, first - 1, near));
    EXPECT_EQ(QList({run(figure, near, first, 0, 1), run(figure, near, last, 0, -1), run(figure, first, near, 1, 0),
                     run(figure, last, near, -1, 0)}), QList<int>(4, block)) << "top, bottom, left, right";

    p.run(500);
    p.window.servePendingPaints();
    const QImage &shots = p.window.shotPane().image();
    const int x = toImage(ShotPicture::toPane(p.session.state().body, p.session.state().simulation.shotX()));
    const int y = toImage(ShotPicture::toPane(p.session.state().body, p.session.state().simulation.shotY()));
    for (int i = 0; i < block * block; ++i)
        EXPECT_EQ(shots.pixel(x + i % block, y + i / block) & 0xFFFFFF, p.session.state().colour.rgb());
}

// Application fonts a desktop may set, small and large: the page and the dialogs do not follow them.
TEST(Desktop, PageAndDialogsKeepTheirGeometryWithAnyDesktopFont)
{
    const QFont desktop = QApplication::font();
    QList<QSize> sizes; // the dialogs' under each font
    for (const QFont &font : {QFont("DejaVu Serif", 8), QFont("DejaVu Sans Mono", 14)}) {
        SCOPED_TRACE(font.toString().toStdString());
        QApplication::setFont(font);
        Program p;
        // A few pixels before the value column stay black on every label's line.
        const int lineHeight = p.window.statusPane().lineHeight();
        const QImage &page = p.window.statusPane().image();
        ASSERT_EQ(page.devicePixelRatio(), scale());
        for (int line : {2, 3, 4, 5, 9, 10, 11, 12})
            for (int y = toImage(lineHeight * line + 10); y < toImage(lineHeight * (line + 1) + 10); ++y)
                for (int x = toImage(136); x < toImage(140); ++x)
                    ASSERT_TRUE(black(page, x, y)) << "line " << line;

        SettingsDialog settings(p.session, &p.window);
        AboutDialog about(&p.window);
        sizes << settings.size() << about.size();
        for (QDialog *dialog : QList<QDialog *>{&settings, &about}) {
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
    EXPECT_EQ(sizes.first(2), sizes.last(2)) << "settings, about";
    QApplication::setFont(desktop);
}

} // namespace
