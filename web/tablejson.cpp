#include "tablejson.h"

#include "aboutbox.h"
#include "ending.h"
#include "menu.h"
#include "page.h"
#include "reaction.h"
#include "screenreader.h"
#include "settingsform.h"

#include <cstdio>

namespace {

std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

const char *kindName(DialogControl::Kind kind)
{
    switch (kind) {
    case DialogControl::Kind::Edit:
        return "edit";
    case DialogControl::Kind::CheckBox:
        return "checkbox";
    case DialogControl::Kind::DefaultButton:
        return "default";
    case DialogControl::Kind::Button:
        return "button";
    case DialogControl::Kind::GroupBox:
        return "group";
    case DialogControl::Kind::Label:
        return "label";
    case DialogControl::Kind::Icon:
        return "icon";
    }
    return "";
}

std::string noName(int) { return {}; }

} // namespace

namespace TableJson {

std::string page()
{
    std::string menu;
    for (const Menu::Item &item : Menu::items) {
        menu += menu.empty() ? "[" : ",";
        menu += "{\"id\":" + std::to_string(item.id) + ",\"label\":" + quoted(item.label)
            + ",\"divider\":" + (Menu::isDivider(item.id) ? "true" : "false")
            + ",\"spoken\":" + quoted(item.spoken ? item.spoken : "") + "}";
    }
    return "{\"menu\":" + menu + "]" + ",\"statusName\":" + quoted(ScreenReader::statusName)
        + ",\"shotName\":" + quoted(ScreenReader::shotName) + ",\"statusHint\":" + quoted(ScreenReader::statusHint)
        + ",\"windows\":{\"none\":" + std::to_string(static_cast<int>(Reaction::Window::None))
        + ",\"settings\":" + std::to_string(static_cast<int>(Reaction::Window::Settings))
        + ",\"about\":" + std::to_string(static_cast<int>(Reaction::Window::About)) + "}"
        + ",\"panes\":{\"none\":" + std::to_string(static_cast<int>(Page::Pane::None))
        + ",\"shots\":" + std::to_string(static_cast<int>(Page::Pane::Shots))
        + ",\"status\":" + std::to_string(static_cast<int>(Page::Pane::Status)) + "}"
        + ",\"ended\":" + quoted(Ending::title) + ",\"endedText\":" + quoted(Ending::text)
        + ",\"settings\":"
        + dialog(SettingsForm::title, SettingsForm::width, SettingsForm::height, SettingsForm::closeBox, "",
                 SettingsForm::controls, &SettingsForm::fieldName)
        + ",\"about\":"
        + dialog(AboutBox::title, AboutBox::width, AboutBox::height, AboutBox::closeBox, AboutBox::spokenText(),
                 AboutBox::controls, &noName)
        + "}";
}

std::string dialog(const char *title, int width, int height, bool closeBox, const std::string &spoken,
                   std::span<const DialogControl> controls, std::string (*fieldName)(int))
{
    std::string list;
    for (const DialogControl &c : controls) {
        list += list.empty() ? "[" : ",";
        list += "{\"id\":" + std::to_string(c.id) + ",\"kind\":\"" + kindName(c.kind) + "\",\"text\":" + quoted(c.text)
            + ",\"x\":" + std::to_string(c.units.x) + ",\"y\":" + std::to_string(c.units.y) + ",\"width\":"
            + std::to_string(c.units.width) + ",\"height\":" + std::to_string(c.units.height)
            + ",\"maxLength\":" + std::to_string(c.maxLength) + ",\"digitsOnly\":" + (c.digitsOnly ? "true" : "false")
            + ",\"buddy\":" + std::to_string(c.buddy)
            + ",\"name\":" + quoted(c.kind == DialogControl::Kind::Edit || c.kind == DialogControl::Kind::CheckBox
                                          ? fieldName(c.id)
                                          : "")
            + "}";
    }
    return "{\"title\":" + quoted(title) + ",\"width\":" + std::to_string(width) + ",\"height\":"
        + std::to_string(height) + ",\"closeBox\":" + (closeBox ? "true" : "false") + ",\"spoken\":" + quoted(spoken)
        + ",\"controls\":" + list + "]}";
}

} // namespace TableJson
