#include "statuspane.h"

#include "fontmeasure.h"
#include "frontend.h"
#include "paneaccessible.h"
#include "screenreader.h"
#include "widetext.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
// The page's last line; the picture ends below it.
constexpr int lastLine = 17;
constexpr int top = 10;

} // namespace

StatusPane::StatusPane(FrontEnd &frontEnd)
    : m_frontEnd(frontEnd)
{
}

StatusPane::~StatusPane()
{
    if (m_font)
        DeleteObject(m_font);
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
    if (m_font && scale.dpi == m_scale.dpi)
        return;
    m_scale = scale;
    if (m_font)
        DeleteObject(m_font);
    // The columns are fixed in program pixels, so the font follows the scale
    // and nothing else: not the desktop's font, not its size.
    m_font = CreateFontW(-scale.device(13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Tahoma");
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, m_font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    m_lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    fit();
    request(true);
    if (m_window && GetFocus() == m_window)
        placeCaret(); // the caret's character at the new scale
}

void StatusPane::fit()
{
    const int pageBottom = m_scale.device(top) + m_lineHeight * (lastLine + 1);
    m_picture.resize(m_visibleWidth, std::min(m_height, pageBottom), black);
}

void StatusPane::request(bool erase)
{
    std::vector<StatusPage::Text> page = StatusPage::texts(m_frontEnd.session());
    const bool changed = page != m_shown;
    if (!erase && !changed) {
        tellScreenReader();
        return;
    }
    if (erase)
        m_picture.fill(black);
    const HDC dc = m_picture.dc();
    if (dc) {
        const HGDIOBJ old = SelectObject(dc, m_font);
        SetTextColor(dc, white);
        SetBkColor(dc, black);
        SetBkMode(dc, OPAQUE);
        for (const StatusPage::Text &text : page) {
            // Trailing blanks included: their opaque cells cover a longer earlier text.
            const std::wstring wide = WideText::from(text.text);
            TextOutW(dc, m_scale.device(text.x), m_lineHeight * text.line + m_scale.device(top), wide.c_str(),
                     static_cast<int>(wide.size()));
        }
        SelectObject(dc, old);
        GdiFlush();
    }
    m_shown = std::move(page);
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
    tellScreenReader();
    if (m_window && GetFocus() == m_window)
        placeCaret(); // its character may have moved with the page
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
    if (!m_font)
        return;
    const Rect box = m_reading.caretBox(FontMeasure(m_font), m_scale.grid());
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
    m_picture.show(dc, paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (GetFocus() == m_window) {
        // In the margin around the page, on the part of the pane that shows.
        const int margin = m_scale.device(3);
        const RECT frame{margin, margin, m_visibleWidth - margin, std::min(m_height, m_picture.height() + margin)};
        DrawFocusRect(dc, &frame);
    }
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
