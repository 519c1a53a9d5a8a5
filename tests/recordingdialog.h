#pragma once

#include "dialogport.h"

#include <map>
#include <string>

// A dialog that writes down every call that changes it, each ended by "; "
// ("focus 1013", "warn Fehler: Radius"), and answers what is read from what was
// set or typed.
class RecordingDialog : public DialogPort
{
public:
    std::string calls;
    std::map<int, std::string> texts;
    std::map<int, bool> boxes;

    // The user's typing: no call of the layer's.
    void type(int id, const std::string &text) { texts[id] = text; }
    void click(int id, bool checked) { boxes[id] = checked; }

    std::string text(int id) const override { return texts.count(id) ? texts.at(id) : ""; }
    void setText(int id, const std::string &text) override
    {
        texts[id] = text;
        write(id, "setText", text);
    }
    bool checked(int id) const override { return boxes.count(id) && boxes.at(id); }
    void setChecked(int id, bool checked) override
    {
        boxes[id] = checked;
        write(id, "setChecked", checked ? "on" : "off");
    }
    void enable(int id, bool enabled) override { write(id, "enable", enabled ? "on" : "off"); }
    void focus(int id) override { write(id, "focus"); }
    void selectAll(int id) override { write(id, "selectAll"); }
    void warn(const Message &message) override { write(0, "warn", message.caption); }
    void end(bool accepted) override { write(0, "end", accepted ? "ok" : "cancelled"); }

private:
    void write(int id, const char *call, const std::string &argument = "")
    {
        calls += call;
        if (id)
            calls += ' ' + std::to_string(id);
        if (!argument.empty())
            calls += ' ' + argument;
        calls += "; ";
    }
};
