// What the layer paints through the drawing port, written down by a recording canvas: what every front end
// draws of the two panes, and what the shot picture keeps.

#include "commandid.h"
#include "contrast.h"
#include "focusframe.h"
#include "panecolours.h"
#include "recordingcanvas.h"
#include "session.h"
#include "settings.h"
#include "shotpicture.h"
#include "statuspicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::string figure = "rectangle 10,10 400x400 #000000 #ffffff | ellipse 10,10 400x400 #000000 #ffffff";

// Palettes a desktop may report: Windows' high-contrast black and white, a user's yellow on black whose highlight
// hardly stands out from its window.
const Palette whiteOnBlack{true, 0x000000, 0xFFFFFF, 0x1AEBFF};
const Palette blackOnWhite{true, 0xFFFFFF, 0x000000, 0x37006E};
const Palette yellowOnBlack{true, 0x000000, 0xFFFF00, 0x202020};

std::string joined(const std::vector<std::string> &calls)
{
    std::string all;
    for (const std::string &call : calls)
        all.append(all.empty() ? "" : " | ").append(call);
    return all;
}

} // namespace

// The picture covers what the pane showed and shows, up to the figure's reach: minimised, shrunk by a smaller
// screen or moved, it keeps every point; only an erase after the body shrank gives up what lies beyond it.
TEST(ShotPicture, KeepsWhatItCovered)
{
    Session s;
    manual(s, "10", "370"); // the figure and the pixel beyond: 751 x 751
    ShotPicture picture(s);
    const struct { const char *name; Size visible, before; bool erasing; Size kept; } rows[] = {
        {"first paint: what shows", {615, 768}, {}, false, {615, 751}},
        {"minimised", {0, 0}, {615, 751}, false, {615, 751}},
        {"a smaller screen", {460, 716}, {615, 751}, false, {615, 751}},
        {"a larger screen, up to the figure's reach", {1000, 900}, {615, 751}, false, {751, 751}},
        {"an erase on a smaller screen", {460, 716}, {751, 751}, true, {751, 751}},
        {"an erase while minimised", {0, 0}, {751, 751}, true, {751, 751}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(picture.kept(row.visible, row.before, row.erasing), row.kept) << row.name;
    manual(s, "10", "100"); // 211 x 211
    EXPECT_EQ(picture.kept({615, 751}, {751, 751}, true), (Size{211, 211})) << "an erase after a smaller body";
    EXPECT_EQ(picture.kept({615, 751}, {751, 751}, false), (Size{751, 751})) << "a paint after a smaller body";
}

// Each paint in turn: the figure at rest, the latest shot during a run, counted from the figure or the erase
// before it, as a screen reader is told.
TEST(ShotPicture, PaintsAndCountsThePointsDrawn)
{
    Session s;
    manual(s, "60");
    ShotPicture picture(s);
    RecordingCanvas canvas;
    const auto passes = [&](int n) {
        while (n-- > 0) {
            s.pass();
            picture.paint(canvas, false);
        }
    };
    const struct { const char *name; std::function<void()> step; std::string calls; long long drawn; bool figure; }
        rows[] = {
        {"first display", [&] { picture.paint(canvas, true); }, figure, 0, true},
        {"run started: the centre over the figure", [&] { s.command(IdStart); picture.paint(canvas, false); },
         "plot 210,210 1x1 #000000", 1, true},
        {"each pass one point", [&] { passes(49); }, "", 50, true},
        {"a frame's shots, each plotted and counted",
         [&] { picture.paint(canvas, {{1, 2, 0x010203}, {3, 4, 0x040506}}); },
         "plot 1,2 1x1 #010203 | plot 3,4 1x1 #040506", 52, true},
        {"settings closed mid-run: the latest shot alone", [&] { picture.paint(canvas, true); },
         "plot 128,92 1x1 #930000", 1, false},
        {"a resize paints the latest shot again: still one point", [&] { picture.paint(canvas, false); },
         "plot 128,92 1x1 #930000", 1, false},
        {"the run's end: the figure covers the points", [&] { passes(11); }, "", 0, true},
    };
    for (const auto &row : rows) {
        canvas.calls.clear();
        row.step();
        if (!row.calls.empty()) {
            EXPECT_EQ(joined(canvas.calls), row.calls) << row.name;
        }
        EXPECT_EQ(std::pair(picture.drawn(), picture.figureShown()), std::pair(row.drawn, row.figure)) << row.name;
    }
    s.command(IdStart);
    s.pass();
    picture.paint(canvas, true);
    EXPECT_EQ(picture.description(), "Quadrat mit Kreis, Radius 200 Pixel, Durchlauf aktiv, 1 Punkt gezeichnet");
}

// On a screen of another scale, or in new colours, the figure is drawn anew in the colours now, if it was on the
// picture, and every program pixel where the old picture differed from the figure alone (drawn in the old colours)
// is plotted again, in the shots' ink where the colours give one; the figure's own pixels are not.
TEST(ShotPicture, RescaleKeepsEveryPoint)
{
    Session s;
    manual(s, "60");
    ShotPicture picture(s);
    RecordingCanvas ignored;
    const std::string points = "plot 10,10 1x1 #030000 | plot 51,77 1x1 #000000";
    const std::string whitePoints = "plot 10,10 1x1 #ffffff | plot 51,77 1x1 #ffffff";
    const std::string whiteFigure = "rectangle 10,10 400x400 #ffffff #000000 | ellipse 10,10 400x400 #ffffff #000000";
    const struct { const char *name; bool erasedMidRun; Palette now; std::string calls, figureBefore; } rows[] = {
        {"figure and points", false, {}, figure + " | " + points, figure},
        {"points alone after an erase", true, {}, points, ""},
        {"into high contrast: the points in its ink", false, whiteOnBlack, whiteFigure + " | " + whitePoints, figure},
    };
    for (const auto &row : rows) {
        picture.setColours({});
        picture.paint(ignored, true);
        if (row.erasedMidRun) {
            s.command(IdStart);
            picture.paint(ignored, true);
            s.command(IdStop);
        }
        RecordingCanvas before, figureBefore, now;
        before.pixels = {{{10, 10}, 0x030000}, {{11, 10}, 0x000000}, {{51, 77}, 0x000000}};
        // The figure's edge where the run left no point; the picture is the same there.
        figureBefore.pixels = {{{10, 10}, 0x000000}, {{11, 10}, 0x000000}};
        picture.setColours(PaneColours::of(row.now));
        picture.rescale(now, before, figureBefore, {421, 421}, PaneColours{});
        EXPECT_EQ(joined(now.calls), row.calls) << row.name;
        EXPECT_EQ(joined(figureBefore.calls), row.figureBefore) << row.name;
    }
}

// Both panes paint in the program's own colours unless the desktop asks for high contrast; then in its window and
// text colours, every shot in its text colour.
TEST(PaneColours, TheDesktopsWhereItAsksForHighContrast)
{
    const struct { const char *name; Palette desktop; std::string figure, shot, page; } rows[] = {
        {"the program's own", {}, figure, "plot 210,210 1x1 #000000", "text 10,10 126x12 #ffffff #000000"},
        {"a dark palette that asks for nothing", {false, 0x000000, 0xFFFF00, 0x00FFFF}, figure,
         "plot 210,210 1x1 #000000", "text 10,10 126x12 #ffffff #000000"},
        {"yellow on black", yellowOnBlack,
         "rectangle 10,10 400x400 #ffff00 #000000 | ellipse 10,10 400x400 #ffff00 #000000",
         "plot 210,210 1x1 #ffff00", "text 10,10 126x12 #ffff00 #000000"},
        {"black on white", blackOnWhite, figure, "plot 210,210 1x1 #000000", "text 10,10 126x12 #000000 #ffffff"},
    };
    for (const auto &row : rows) {
        Session s;
        manual(s, "60");
        ShotPicture shots(s);
        StatusPicture page(s);
        shots.setColours(PaneColours::of(row.desktop));
        page.setColours(PaneColours::of(row.desktop));
        RecordingCanvas figureCanvas, shotCanvas, pageCanvas;
        shots.paint(figureCanvas, true);
        s.command(IdStart);
        shots.paint(shotCanvas, false);
        page.paint(pageCanvas, true);
        EXPECT_EQ(joined(figureCanvas.calls), row.figure) << row.name;
        EXPECT_EQ(joined(shotCanvas.calls), row.shot) << row.name;
        RecordingCanvas frameCanvas; // the same shot among a frame's, as a page draws them
        shots.paint(frameCanvas, {{210, 210, 0x000000}});
        EXPECT_EQ(joined(frameCanvas.calls), row.shot) << row.name << ", a frame's shots";
        EXPECT_EQ(pageCanvas.calls.front().substr(0, pageCanvas.calls.front().rfind(' ')), row.page) << row.name;
    }
}

// The page's font is 12 pixels where the labels fit, else the largest size at which each ends 4 pixels before
// the value beside it, never below 6; a wider font is the front end's, the rule the layer's.
TEST(StatusPicture, FontSizeFitsTheLabels)
{
    const struct { const char *name; int width; int size; } rows[] = {
        {"labels fit", 6, 12},
        {"one pixel too wide at 12", 7, 11},
        {"never below 6", 20, 6},
    };
    for (const auto &row : rows) {
        Session s;
        StatusPicture page(s);
        const RecordingCanvas canvas(row.width);
        EXPECT_EQ(page.fontSize(canvas), row.size) << row.name;
    }
}

// Each paint draws the texts that changed at their lines' places, each on its opaque cell, all of them after an
// erase, none when nothing changed.
TEST(StatusPicture, DrawsWhatChanged)
{
    Session s;
    manual(s, "60");
    StatusPicture page(s);
    RecordingCanvas canvas;
    const int lineHeight = page.lineHeight(canvas);
    ASSERT_EQ(lineHeight, 15);
    const auto lines = [&] {
        std::string drawn;
        for (const std::string &call : canvas.calls) {
            const int y = std::stoi(call.substr(call.find(',') + 1));
            drawn.append(drawn.empty() ? "" : " ").append(std::to_string((y - StatusPicture::top) / lineHeight));
        }
        return drawn;
    };
    const char *every = "0 2 3 4 5 2 3 4 5 7 9 10 11 12 9 10 11 12 14 16 17";
    const struct { const char *name; std::function<bool()> step; bool painted; const char *lines; } rows[] = {
        {"first display: every text", [&] { return page.paint(canvas, true); }, true, every},
        {"unchanged", [&] { return page.paint(canvas, false); }, false, ""},
        {"run started, not yet refreshed", [&] { s.command(IdStart); return page.paint(canvas, false); }, false, ""},
        {"shots and a tick", [&] { s.pass(), s.pass(), s.tick(); return page.paint(canvas, false); }, true,
         "5 7 9 10 11 17"},
        {"erased", [&] { return page.paint(canvas, true); }, true, every},
    };
    for (const auto &row : rows) {
        canvas.calls.clear();
        EXPECT_EQ(row.step(), row.painted) << row.name;
        EXPECT_EQ(lines(), row.lines) << row.name;
    }
    EXPECT_EQ(canvas.calls[1], "text 20,40 42x12 #ffffff #000000 Radius:") << "the erase's second text";
}

// The focus frame on each pane: a band two program pixels wide around the pane's margin, clear of the picture (the
// figure and the page begin 10 pixels in), in the desktop's highlight where it stands out from the pane, else in
// white or black, whichever stands out more: at least 3:1 against both panes in any colours.
TEST(FocusFrame, StandsOutAroundThePicture)
{
    const auto [top, bottom, left, right] = FocusFrame::sides({400, 300});
    EXPECT_EQ(top, (Rect{2, 2, 396, 2}));
    EXPECT_EQ(bottom, (Rect{2, 296, 396, 2}));
    EXPECT_EQ(left, (Rect{2, 2, 2, 296}));
    EXPECT_EQ(right, (Rect{396, 2, 2, 296}));
    EXPECT_LE(left.x + left.width, std::min(ShotPicture::margin, StatusPicture::top));
    const struct { const char *name; Palette desktop; std::uint32_t shotFocus, statusFocus; } rows[] = {
        {"the program's own", {}, 0x000000, 0xFFFFFF},
        {"high contrast: its highlight", whiteOnBlack, 0x1AEBFF, 0x1AEBFF},
        {"a highlight too close to the window", yellowOnBlack, 0xFFFFFF, 0xFFFFFF},
        {"a bright green window: black", {true, 0x00FF00, 0x000000, 0x00FF00}, 0x000000, 0x000000},
    };
    for (const auto &row : rows) {
        const PaneColours colours = PaneColours::of(row.desktop);
        EXPECT_EQ(std::pair(colours.shotFocus, colours.statusFocus), std::pair(row.shotFocus, row.statusFocus))
            << row.name;
        EXPECT_GE(Contrast::ratio(colours.shotFocus, colours.shotPaper), Contrast::seen) << row.name;
        EXPECT_GE(Contrast::ratio(colours.statusFocus, colours.statusPaper), Contrast::seen) << row.name;
    }
}
