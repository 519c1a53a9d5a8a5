#include "statuspane.h"

#include "focusband.h"
#include "fontmeasure.h"
#include "frontend.h"
#include "paneaccessible.h"
#include "screenreader.h"
#include "widetext.h"

#include <algorithm>
#include <chrono>

StatusPane::StatusPane(FrontEnd &frontEnd)
    : m_frontEnd(frontEnd)
    , m_page(frontEnd.session())
{
}

bool StatusPane::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

HWND StatusPane::create(HWND parent, HINSTANCE instance)
{
    // The window text is the name a screen reader gives the pane.
    return CreateWindowExW(0, className, WideText::from(ScreenReader::statusName).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent, nullptr, instance, this);
}

void StatusPane::place(const RECT &area, int visibleWidth)
{
    m_visibleWidth = visibleWidth;
    MoveWindow(m_window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    fit();
    request(true);
}

void StatusPane::setScale(Scale scale)
{
    if (m_lineHeight && scale.dpi == m_scale.dpi)
        return;
    m_scale = scale;
    m_lineHeight = m_scale.grid().toImageSize(m_page.lineHeight(m_canvas));
    fit();
    request(true);
    if (m_window && GetFocus() == m_window)
        placeCaret(); // the caret's character at the new scale
}

void StatusPane::setColours(const PaneColours &colours)
{
    m_page.setColours(colours);
    request(true);
}

void StatusPane::fit()
{
    m_picture.resize(m_visibleWidth, std::min(m_height, m_scale.device(m_page.bottom(m_canvas))),
                     m_page.colours().statusPaper);
}

void StatusPane::request(bool erase)
{
    if (erase)
        m_picture.fill(m_page.colours().statusPaper);
    if (m_page.paint(m_canvas, erase)) {
        if (m_window)
            InvalidateRect(m_window, nullptr, FALSE);
        if (m_window && GetFocus() == m_window)
            placeCaret(); // its character may have moved with the page
    }
    tellScreenReader();
}

void StatusPane::tellScreenReader()
{
    m_reading.show(m_shown);
    const bool focused = m_window && GetFocus() == m_window;
    const auto now = std::chrono::steady_clock::now();
    if (const auto progress = m_progress.tell(m_frontEnd.session(), now))
        announce(*progress);
    if (m_reading.tell(focused, m_frontEnd.session().running(), now))
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void StatusPane::announce(const std::string &sentence)
{
    m_announcer.announce(WideText::from(sentence));
}

void StatusPane::press(WPARAM key)
{
    using Key = StatusReading::Key;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT:
        m_reading.press(Key::Left);
        break;
    case VK_RIGHT:
        m_reading.press(Key::Right);
        break;
    case VK_UP:
        m_reading.press(Key::Up);
        break;
    case VK_DOWN:
        m_reading.press(Key::Down);
        break;
    case VK_HOME:
        m_reading.press(control ? Key::TextStart : Key::Home);
        break;
    case VK_END:
        m_reading.press(control ? Key::TextEnd : Key::End);
        break;
    default:
        return;
    }
    placeCaret();
}

void StatusPane::placeCaret()
{
    if (!m_lineHeight)
        return;
    const Rect box = m_reading.caretBox(FontMeasure(m_canvas.font(m_page.fontSize(m_canvas))), m_scale.grid());
    if (box.x == m_caretPlace.x && box.y == m_caretPlace.y)
        return;
    m_caretPlace = {box.x, box.y};
    // Hidden: moving it tells a screen reader where the keyboard reads.
    SetCaretPos(box.x, box.y);
}

void StatusPane::paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_window, &paint);
    m_picture.show(dc, paint.rcPaint, m_page.colours().statusPaper);
    if (GetFocus() == m_window)
        FocusBand::draw(dc, m_scale, {m_scale.program(m_visibleWidth), m_scale.program(m_height)},
                        m_page.colours().statusFocus);
    EndPaint(m_window, &paint);
}

LRESULT CALLBACK StatusPane::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *pane = static_cast<StatusPane *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        pane->m_window = window;
        pane->m_announcer = Announcer(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pane));
    }
    auto *pane = reinterpret_cast<StatusPane *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!pane)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers every pixel
    case WM_SIZE:
        pane->m_height = HIWORD(lParam);
        pane->fit();
        return 0;
    case WM_TIMER:
        pane->m_frontEnd.apply(pane->m_frontEnd.session().tick());
        return 0;
    case WM_PAINT:
        pane->paint();
        return 0;
    case WM_SETFOCUS:
        CreateCaret(window, nullptr, pane->m_scale.device(1), pane->m_lineHeight);
        pane->m_caretPlace = {-1, -1};
        pane->placeCaret();
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        DestroyCaret();
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            SetFocus(GetNextDlgTabItem(GetParent(window), window, GetKeyState(VK_SHIFT) < 0));
        else
            pane->press(wParam);
        return 0;
    case WM_GETOBJECT: {
        PaneAccessible::Answers answers;
        answers.description = [] { return WideText::from(ScreenReader::statusHint); };
        answers.value = [pane] { return WideText::from(pane->m_reading.text()); };
        answers.role = ROLE_SYSTEM_TEXT;
        answers.state = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE;
        if (const LRESULT object = PaneAccessible::answer(window, wParam, lParam, OBJID_CLIENT, std::move(answers)))
            return object;
        if (const LRESULT object = pane->m_announcer.answer(wParam, lParam))
            return object;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
