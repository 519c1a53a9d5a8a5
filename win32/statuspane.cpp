#include "statuspane.h"

#include "focusframe.h"
#include "frontend.h"
#include "paneaccessible.h"
#include "screenreader.h"
#include "widetext.h"

#include <algorithm>
#include <map>

namespace {

constexpr COLORREF black = RGB(0, 0, 0);
constexpr int top = StatusPicture::top;

} // namespace

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
        moveCaret(0); // the caret's line at the new scale
}

void StatusPane::fit()
{
    m_picture.resize(m_visibleWidth, std::min(m_height, m_scale.device(m_page.bottom(m_canvas))), black);
}

void StatusPane::request(bool erase)
{
    const std::vector<StatusPage::Text> before = m_shown;
    if (erase)
        m_picture.fill(black);
    if (!m_page.paint(m_canvas, erase))
        return;
    const bool changed = m_shown != before;
    if (!m_window)
        return;
    InvalidateRect(m_window, nullptr, FALSE);
    // Twenty changes a second during a run would drown the reader; the run's
    // end is announced, and the reader asks for the value when it wants it.
    if (changed && GetFocus() == m_window && !m_frontEnd.session().running())
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void StatusPane::announce(const std::string &sentence)
{
    m_announcer.announce(WideText::from(sentence));
}

void StatusPane::moveCaret(int key)
{
    std::map<int, int> lines; // page line → place of its first text
    for (const StatusPage::Text &text : m_shown) {
        if (const auto [line, added] = lines.try_emplace(text.line, text.x); !added)
            line->second = std::min(line->second, text.x);
    }
    if (lines.empty())
        return;
    const int last = static_cast<int>(lines.size()) - 1;
    const int step = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_HOME ? -last : key == VK_END ? last : 0;
    m_caretLine = std::clamp(m_caretLine + step, 0, last);
    const auto line = std::next(lines.begin(), m_caretLine);
    // Hidden, but where NVDA looks for the line to read.
    SetCaretPos(m_scale.device(line->second), m_lineHeight * line->first + m_scale.device(top));
}

void StatusPane::paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_window, &paint);
    m_picture.show(dc, paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (GetFocus() == m_window) {
        // Windows' own dotted frame, which stands out from any background, where the layer puts it.
        const RECT frame = m_scale.line(FocusFrame::place({m_scale.program(m_visibleWidth), m_scale.program(m_height)}));
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
        pane->moveCaret(0);
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
            pane->moveCaret(static_cast<int>(wParam));
        return 0;
    case WM_GETOBJECT: {
        PaneAccessible::Answers answers;
        answers.description = [] { return WideText::from(ScreenReader::statusDescription); };
        answers.value = [pane] { return WideText::from(StatusPage::readingText(pane->m_shown)); };
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
