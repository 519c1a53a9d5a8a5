#include "shotpane.h"

#include "focusband.h"
#include "pace.h"
#include "paneaccessible.h"
#include "screenreader.h"
#include "widetext.h"

#include <algorithm>
#include <utility>

namespace {

// About one display frame.
constexpr std::uint64_t frameMilliseconds = Pace::frameMilliseconds;

} // namespace

ShotPane::ShotPane(const Session &session)
    : m_shots(session)
{
}

bool ShotPane::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

HWND ShotPane::create(HWND parent, HINSTANCE instance)
{
    // The window text is the name a screen reader gives the pane.
    return CreateWindowExW(0, className, WideText::from(ScreenReader::shotName).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent, nullptr, instance, this);
}

void ShotPane::place(const RECT &area)
{
    MoveWindow(m_window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void ShotPane::setScale(Scale scale)
{
    if (scale.dpi == m_scale.dpi)
        return;
    const Scale old = std::exchange(m_scale, scale);
    redraw(old, m_shots.colours());
}

void ShotPane::setColours(const PaneColours &colours)
{
    const PaneColours was = m_shots.colours();
    m_shots.setColours(colours);
    redraw(m_scale, was);
}

void ShotPane::redraw(Scale was, const PaneColours &wasColours)
{
    if (!m_picture.dc())
        return;
    // Every point and the figure are drawn anew at the new resolution, in the new colours.
    Picture before;
    before.swap(m_picture);
    const PixelGrid grid = m_scale.grid();
    m_picture.resize(grid.toImageSize(m_extent.width), grid.toImageSize(m_extent.height), m_shots.colours().shotPaper);
    Picture figure;
    figure.resize(before.width(), before.height(), wasColours.shotPaper);
    const PictureCanvas old(before, was);
    PictureCanvas figureBefore(figure, was);
    m_shots.rescale(m_canvas, old, figureBefore, m_extent, wasColours);
    m_changed = true;
}

void ShotPane::request(bool erase)
{
    m_pending = true;
    m_erase = m_erase || erase;
}

Size ShotPane::visible() const
{
    return {m_scale.program(m_width), m_scale.program(m_height)};
}

void ShotPane::fit(bool erasing)
{
    m_extent = m_shots.kept(visible(), m_extent, erasing);
    const PixelGrid grid = m_scale.grid();
    m_picture.resize(grid.toImageSize(m_extent.width), grid.toImageSize(m_extent.height), m_shots.colours().shotPaper);
}

void ShotPane::serve()
{
    if (!m_pending)
        return;
    m_pending = false;
    const bool erased = std::exchange(m_erase, false);
    if (erased) {
        // The body may have changed with the settings: the picture follows its size.
        fit(true);
        m_picture.fill(m_shots.colours().shotPaper);
    }
    m_shots.paint(m_canvas, erased);
    m_changed = true;
}

void ShotPane::present(bool now)
{
    if (!m_changed || !m_window)
        return;
    const std::uint64_t time = GetTickCount64();
    if (!now && time - m_shownAt < frameMilliseconds)
        return;
    m_shownAt = time;
    m_changed = false;
    InvalidateRect(m_window, nullptr, FALSE);
}

void ShotPane::paint()
{
    // A paint asked for in a dialog's modal loop is served here.
    serve();
    m_changed = false;
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_window, &paint);
    m_picture.show(dc, paint.rcPaint, m_shots.colours().shotPaper);
    if (GetFocus() == m_window)
        FocusBand::draw(dc, m_scale, visible(), m_shots.colours().shotFocus);
    EndPaint(m_window, &paint);
}

LRESULT CALLBACK ShotPane::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *pane = static_cast<ShotPane *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        pane->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pane));
    }
    auto *pane = reinterpret_cast<ShotPane *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!pane)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers every pixel
    case WM_SIZE:
        pane->m_width = LOWORD(lParam);
        pane->m_height = HIWORD(lParam);
        pane->fit(false);
        // Newly shown parts get what a paint gives them: the figure, or the latest shot again.
        pane->request(false);
        return 0;
    case WM_PAINT:
        pane->paint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            SetFocus(GetNextDlgTabItem(GetParent(window), window, GetKeyState(VK_SHIFT) < 0));
        return 0;
    case WM_GETOBJECT: {
        PaneAccessible::Answers answers;
        answers.description = [pane] { return WideText::from(pane->m_shots.description()); };
        answers.state = STATE_SYSTEM_FOCUSABLE;
        if (const LRESULT object = PaneAccessible::answer(window, wParam, lParam, OBJID_CLIENT, std::move(answers)))
            return object;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
