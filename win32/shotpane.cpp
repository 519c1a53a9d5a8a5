#include "shotpane.h"

#include "pace.h"
#include "paneaccessible.h"
#include "screenreader.h"
#include "session.h"
#include "shotpicture.h"
#include "widetext.h"

#include <algorithm>
#include <utility>

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
// About one display frame.
constexpr std::uint64_t frameMilliseconds = Pace::frameMilliseconds;

} // namespace

ShotPane::ShotPane(const Session &session)
    : m_session(session)
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
    const Scale old = m_scale;
    m_scale = scale;
    // Points plotted so far are scaled with the picture; at rest it is the figure alone.
    m_picture.resize(m_picture.width() * scale.dpi / old.dpi, m_picture.height() * scale.dpi / old.dpi, white, true);
    if (!m_session.running())
        request(true);
}

void ShotPane::request(bool erase)
{
    m_pending = true;
    m_erase = m_erase || erase;
}

void ShotPane::fit()
{
    // Nothing is drawn beyond the figure's reach, so the picture ends there.
    const int kept = m_scale.device(ShotPicture::keptSide(m_session)) + m_scale.block();
    m_picture.resize(std::min(m_width, kept), std::min(m_height, kept), white);
}

void ShotPane::serve()
{
    if (!m_pending)
        return;
    m_pending = false;
    if (std::exchange(m_erase, false)) {
        // The body may have changed with the settings: the picture follows its size.
        fit();
        m_picture.fill(white);
        m_plotted = 0;
    }
    if (const auto plot = ShotPicture::plot(m_session)) {
        m_picture.setBlock(m_scale.device(plot->x), m_scale.device(plot->y), m_scale.block(), plot->rgb);
        ++m_plotted;
    } else {
        fit();
        drawFigure();
        m_plotted = 0;
    }
    m_changed = true;
}

void ShotPane::drawFigure()
{
    if (!m_picture.dc())
        return;
    const Rect figure = ShotPicture::figure(m_session);
    const RECT box{m_scale.device(figure.x), m_scale.device(figure.y), m_scale.device(figure.x + figure.width),
                   m_scale.device(figure.y + figure.height)};
    // Inside the box, so all four edges are as thick as a plotted shot.
    const HPEN pen = CreatePen(PS_INSIDEFRAME, m_scale.block(), RGB(0, 0, 0));
    const HGDIOBJ oldPen = SelectObject(m_picture.dc(), pen);
    const HGDIOBJ oldBrush = SelectObject(m_picture.dc(), GetStockObject(WHITE_BRUSH));
    Rectangle(m_picture.dc(), box.left, box.top, box.right, box.bottom);
    Ellipse(m_picture.dc(), box.left, box.top, box.right, box.bottom);
    SelectObject(m_picture.dc(), oldBrush);
    SelectObject(m_picture.dc(), oldPen);
    DeleteObject(pen);
    GdiFlush();
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
    m_picture.show(dc, paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (GetFocus() == m_window) {
        RECT frame{0, 0, m_width, m_height};
        InflateRect(&frame, -m_scale.device(3), -m_scale.device(3));
        DrawFocusRect(dc, &frame);
    }
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
        pane->fit();
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
        answers.description = [pane] {
            return WideText::from(
                ScreenReader::shotDescription(pane->m_session, pane->m_plotted));
        };
        answers.state = STATE_SYSTEM_FOCUSABLE;
        if (const LRESULT object = PaneAccessible::answer(window, wParam, lParam, OBJID_CLIENT, std::move(answers)))
            return object;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
