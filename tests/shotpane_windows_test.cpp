// The shot pane's picture under Wine through what Windows does to the window during a run: minimised and
// restored, a smaller screen and back, a monitor of another scale. It keeps every point, and the figure drawn
// anew at the new scale, with edges that are whole blocks of device pixels.

#include "commandid.h"
#include "session.h"
#include "settings.h"
#include "shotpane.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

namespace {

// A run of radius 370 in a pane of a main window, 768 x 780 program pixels as on a 1280 x 800 screen.
struct Pane
{
    Session session;
    ShotPane pane{session};
    HWND parent = nullptr;
    Scale scale;

    explicit Pane(int dpi)
    {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        ShotPane::registerClass(instance);
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 2600, 1700, nullptr, nullptr, instance, nullptr);
        pane.create(parent, instance);
        manual(session, "1000000", "370");
        rescale(dpi);
        pane.request(true);
        pane.serve();
        session.command(IdStart);
    }
    ~Pane() { DestroyWindow(parent); }

    void place(int width, int height) { pane.place({0, 0, scale.device(width), scale.device(height)}); }
    void rescale(int dpi)
    {
        scale.dpi = dpi;
        pane.setScale(scale);
        place(768, 780);
    }
    void passes(int n)
    {
        while (n-- > 0) {
            session.pass();
            pane.request(false);
            pane.serve();
        }
    }
    // The points: program pixels neither white nor black, each with the colour at its block's middle.
    std::map<std::pair<int, int>, std::uint32_t> points() const
    {
        const PixelGrid grid = scale.grid();
        std::map<std::pair<int, int>, std::uint32_t> drawn;
        for (int y = 0; y < 751; ++y)
            for (int x = 0; x < 751; ++x)
                if (const std::uint32_t c = pane.picture().pixel(grid.centre(x), grid.centre(y)); c && c != 0xFFFFFF)
                    drawn[{x, y}] = c;
        return drawn;
    }
    // The square's top edge beside the circle, at x = 30: one whole block of dark device rows.
    bool edgeWhole() const
    {
        const PixelGrid grid = scale.grid();
        const auto dark = [&](int row) { return pane.picture().pixel(grid.centre(30), row) == 0; };
        const int top = grid.toImage(10);
        bool whole = !dark(top - 1) && !dark(top + grid.block);
        for (int row = top; row < top + grid.block; ++row)
            whole = whole && dark(row);
        return whole;
    }
};

} // namespace

TEST(ShotPane, KeepsThePictureMidRun)
{
    // there: the scale of a monitor the picture must look as if the run had been on all along, or 0.
    const struct { const char *name; int dpi; std::function<void(Pane &)> step; int there; } rows[] = {
        {"minimised and restored", 96, [](Pane &p) { p.place(0, 0); p.place(768, 780); }, 0},
        {"a smaller screen and back", 96, [](Pane &p) { p.place(615, 748); p.place(768, 780); }, 0},
        {"a monitor of scale 1 after one of 2", 192, [](Pane &p) { p.rescale(96); }, 96},
        {"a monitor of scale 2 after one of 1", 96, [](Pane &p) { p.rescale(192); }, 192},
        {"a monitor of scale 1.5 after one of 1", 96, [](Pane &p) { p.rescale(144); }, 0},
    };
    for (const auto &row : rows) {
        Pane p(row.dpi);
        p.passes(20000);
        const auto before = p.points();
        ASSERT_GT(before.size(), 15000u) << row.name;
        row.step(p);
        p.pane.serve();
        EXPECT_TRUE(p.points() == before) << row.name << ": " << p.points().size() << " of " << before.size();
        EXPECT_TRUE(p.edgeWhole()) << row.name;
        if (row.there == 0)
            continue;
        Pane there(row.there);
        there.passes(20000);
        EXPECT_TRUE(p.pane.picture().same(there.pane.picture())) << row.name << ": not as if it had run there";
    }
}
