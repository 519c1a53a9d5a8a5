#pragma once

#include "message.h"
#include "repaint.h"

// What a menu command asks of the front end: a repaint, and a modal window to
// show. After the settings dialog the front end repaints Session::everything.
struct Reaction
{
    enum class Window { None, Settings, About, Message };

    Repaint repaint{};
    Window open = Window::None;
    Message message{}; // when open is Message

    bool operator==(const Reaction &) const = default;
};
