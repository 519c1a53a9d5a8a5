// The calls the page's script makes; each goes to the one Page.

#include "page.h"
#include "tablejson.h"

#include <emscripten.h>

namespace {

Page &page()
{
    static Page page;
    return page;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char *mc_tables()
{
    static const std::string tables = TableJson::page();
    return tables.c_str();
}

EMSCRIPTEN_KEEPALIVE void mc_resize(int width, int height, double ratio) { page().resize(width, height, ratio); }
EMSCRIPTEN_KEEPALIVE int mc_frame() { return page().frame() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int mc_command(int id) { return page().command(id); }
EMSCRIPTEN_KEEPALIVE int mc_ended() { return page().ended() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void mc_focus(int pane) { page().focus(static_cast<Page::Pane>(pane)); }
EMSCRIPTEN_KEEPALIVE void mc_palette(int highContrast, int window, int text, int highlight)
{
    page().setPalette({highContrast != 0, static_cast<std::uint32_t>(window), static_cast<std::uint32_t>(text),
                       static_cast<std::uint32_t>(highlight)});
}
EMSCRIPTEN_KEEPALIVE void mc_settings_opened() { page().settingsOpened(); }
EMSCRIPTEN_KEEPALIVE void mc_settings_toggled() { page().settingsToggled(); }
EMSCRIPTEN_KEEPALIVE void mc_settings_ok() { page().settingsOk(); }
EMSCRIPTEN_KEEPALIVE void mc_settings_cancelled() { page().settingsCancelled(); }
EMSCRIPTEN_KEEPALIVE void mc_about_opened() { page().aboutOpened(); }
EMSCRIPTEN_KEEPALIVE void mc_about_ok() { page().aboutOk(); }
EMSCRIPTEN_KEEPALIVE void mc_about_cancelled() { page().aboutCancelled(); }
EMSCRIPTEN_KEEPALIVE void mc_dialog_closed() { page().dialogClosed(); }

}
