#pragma once

#include "commandid.h"

#include <array>

// The menu bar: ten plain commands, left to right. "&" marks the mnemonic; the
// four "|" items only divide the groups and do nothing when chosen.
namespace Menu {

struct Item
{
    const char *label; // UTF-8
    int id;
};

inline constexpr std::array<Item, 10> items{{
    {"&Einstellungen", IdSettings},
    {"|", IdDividerAfterSettings},
    {"&Start", IdStart},
    {"Sto&p", IdStop},
    {"|", IdDividerAfterStop},
    {"Er&gebnis speichern", IdSaveResult},
    {"|", IdDividerAfterSave},
    {"&Beenden", IdQuit},
    {"|", IdDividerAfterQuit},
    {"&?", IdAbout},
}};

// Whether the id is one of the dividers, which a screen reader knows as separators
// and the keyboard steps over.
constexpr bool isDivider(int id)
{
    for (const Item &item : items) {
        if (item.id == id)
            return item.label[0] == '|';
    }
    return false;
}

} // namespace Menu
