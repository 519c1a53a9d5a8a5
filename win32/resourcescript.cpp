// Writes the menu and the two dialog templates of the resource script from the
// layer's tables, so that the resources cannot say other than the layer. Built
// for and run on the build machine, from the layer's headers alone.
// Usage: resourcescript <file to write>

#include "aboutbox.h"
#include "menu.h"
#include "settingsform.h"

#include <cstdio>
#include <fstream>
#include <span>
#include <string>

namespace {

// Icon 101 of monte-carlo.rc, the program's icon.
constexpr int programIcon = 101;

// A string of the script: quotes doubled.
std::string quoted(const char *text)
{
    std::string out = "\"";
    for (const char *c = text; *c; ++c)
        out += *c == '"' ? std::string("\"\"") : std::string(1, *c);
    return out + "\"";
}

std::string place(const DialogControl &control)
{
    const Rect &r = control.units;
    return std::to_string(control.id) + ", " + std::to_string(r.x) + ", " + std::to_string(r.y) + ", "
        + std::to_string(r.width) + ", " + std::to_string(r.height);
}

std::string statement(const DialogControl &control)
{
    using Kind = DialogControl::Kind;
    const std::string text = quoted(control.text) + ", ";
    switch (control.kind) {
    case Kind::Edit:
        return "EDITTEXT " + place(control) + (control.digitsOnly ? ", ES_NUMBER | ES_AUTOHSCROLL" : ", ES_AUTOHSCROLL");
    case Kind::CheckBox:
        return "AUTOCHECKBOX " + text + place(control);
    case Kind::DefaultButton:
        return "DEFPUSHBUTTON " + text + place(control);
    case Kind::Button:
        return "PUSHBUTTON " + text + place(control);
    case Kind::GroupBox:
        return "GROUPBOX " + text + place(control);
    case Kind::Label:
        return "LTEXT " + text + place(control);
    case Kind::Icon:
        return "ICON " + std::to_string(programIcon) + ", " + place(control) + ", SS_REALSIZEIMAGE";
    }
    return {};
}

void dialog(std::ostream &out, const char *name, const char *title, int width, int height, bool closeBox,
            std::span<const DialogControl> controls)
{
    out << "\n" << name << " DIALOGEX 0, 0, " << width << ", " << height << "\n"
        << "STYLE DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION" << (closeBox ? " | WS_SYSMENU" : "")
        << "\nCAPTION " << quoted(title) << "\nFONT 8, \"MS Shell Dlg\"\nBEGIN\n";
    for (const DialogControl &control : controls)
        out << "    " << statement(control) << "\n";
    out << "END\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("Usage: resourcescript <file to write>\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Written at build time by win32/resourcescript.cpp from the layer's tables.\n"
           "#pragma code_page(65001)\n\n\"MENU\" MENU\nBEGIN\n";
    for (const Menu::Item &item : Menu::items)
        out << "    MENUITEM " << quoted(item.label) << ", " << item.id << "\n";
    out << "END\n";
    dialog(out, "IDD_SETTINGS", SettingsForm::title, SettingsForm::width, SettingsForm::height, SettingsForm::closeBox,
           SettingsForm::controls);
    dialog(out, "IDD_ABOUT", AboutBox::title, AboutBox::width, AboutBox::height, AboutBox::closeBox,
           AboutBox::controls);
    out.close();
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
