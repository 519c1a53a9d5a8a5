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
    // What a screen reader calls the item, where its label alone says nothing
    // when read; none: the label without its "&".
    const char *spoken = nullptr;
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
    {"&?", IdAbout, "Über Monte Carlo"},
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

// What a screen reader calls the item with this id, if not its label; else none.
constexpr const char *spokenName(int id)
{
    for (const Item &item : items) {
        if (item.id == id)
            return item.spoken;
    }
    return nullptr;
}

} // namespace Menu
