// Both panes in the desktop's colours where its palette asks for high contrast, followed at run time, and the
// program's own colours, pixel for pixel, where it does not.

#include "desktoppalette.h"
#include "program.h"

namespace {

QPalette palette(QColor window, QColor text, QColor highlight, QColor highlighted)
{
    QPalette p(text, window);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, window);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, highlighted);
    return p;
}

const QPalette yellowOnBlack = palette(Qt::black, Qt::yellow, Qt::yellow, Qt::black);

// Restores the desktop's palette whatever the test does.
struct DesktopColours
{
    const QPalette was = QApplication::palette();
    explicit DesktopColours(const QPalette &palette) { QApplication::setPalette(palette); }
    ~DesktopColours() { QApplication::setPalette(was); }
};

} // namespace

// A palette asks for high contrast when every text in it, the selection's too, stands out at least 7:1.
TEST(DesktopPalette, AsksForHighContrast)
{
    const struct { const char *name; QPalette palette; bool asks; } rows[] = {
        {"Fusion's own", QApplication::style()->standardPalette(), false},
        {"a dark desktop, its selection a middle blue", palette(0x31363b, 0xeff0f1, 0x3daee9, 0xeff0f1), false},
        {"yellow on black", yellowOnBlack, true},
        {"black on white, a purple selection", palette(Qt::white, Qt::black, 0x37006e, Qt::white), true},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DesktopPalette::of(row.palette).highContrast, row.asks) << row.name;
}

// A palette changed while the program runs recolours both panes at once, keeping every point of a run in the
// palette's text colour; the desktop's own palette again gives the program's own picture back, pixel for pixel.
TEST(DesktopPalette, PanesFollowItAtRunTime)
{
    Program p;
    p.window.statusPane().setFocus();
    p.settle();
    const QImage shots = p.window.shotPane().image().copy(), page = p.window.statusPane().image().copy();
    {
        DesktopColours desktop(yellowOnBlack);
        p.settle();
        EXPECT_EQ(p.pixel(5, 5), 0x000000u) << "the picture's paper";
        EXPECT_EQ(p.pixel(10, 200), 0xffff00u) << "the figure's edge";
        const QImage status = p.window.statusPane().image();
        EXPECT_EQ(status.pixel(1, 1) & 0xffffff, 0x000000u) << "the page's paper";
        const QImage text = status.copy(10, 10, 150, 15);
        EXPECT_TRUE(std::any_of(reinterpret_cast<const QRgb *>(text.constBits()),
                                reinterpret_cast<const QRgb *>(text.constBits()) + text.sizeInBytes() / 4,
                                [](QRgb c) { return (c & 0xffffff) == 0xffff00; }))
            << "the page's ink";
        EXPECT_EQ(p.window.statusPane().grab().toImage().pixel(3, 20) & 0xffffff, 0xffff00u) << "the focus frame";
    }
    p.settle();
    EXPECT_EQ(p.window.shotPane().image(), shots) << "the program's own colours again";
    EXPECT_EQ(p.window.statusPane().image(), page) << "the program's own colours again";

    p.window.command(IdStart);
    p.passes(300);
    p.settle();
    const auto points = p.points(0x000000);
    ASSERT_GT(points.size(), 250);
    DesktopColours desktop(yellowOnBlack);
    p.settle();
    const auto recoloured = p.points(0x000000);
    for (auto at = points.keyBegin(); at != points.keyEnd(); ++at)
        EXPECT_EQ(recoloured.value(*at), 0xffff00u) << at->first << "," << at->second;
}
