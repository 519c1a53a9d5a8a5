// What the native layer shows and saves for the steps the page check takes in a
// browser, one JSON object a line, so that the page is compared with the
// desktop's own texts and bytes rather than with copies of them.
//
//   web_native_runs STEP...   run, save, about, names, quit, layout:WIDTH,HEIGHT,
//                             set:FIELD=TEXT,... (targetShots, autoStop 0/1, radius,
//                             dimensions: the settings changed, then OK)

#include "aboutbox.h"
#include "commandid.h"
#include "ending.h"
#include "layout.h"
#include "menu.h"
#include "reportsink.h"
#include "screenreader.h"
#include "session.h"
#include "settingsform.h"
#include "statuspage.h"
#include "statusreading.h"

#include <algorithm>
#include <map>
#include <optional>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// A browser's download: takes the bytes, always delivers.
class KeptReport : public ReportSink
{
public:
    AtomicFile::Outcome deliver(std::string_view bytes) override
    {
        kept = bytes;
        return {};
    }

    std::string kept;
};

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string hex(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
        out += pair;
    }
    return out;
}

// The settings dialog as a user left it: the fields' texts by id; records what
// the layer does with it.
class FilledDialog : public DialogPort
{
public:
    std::string text(int id) const override { return texts.at(id); }
    void setText(int id, const std::string &text) override { texts[id] = text; }
    bool checked(int) const override { return autoStop; }
    void setChecked(int, bool checked) override { autoStop = checked; }
    void enable(int, bool) override {}
    void focus(int id) override { focused = id; }
    void selectAll(int) override {}
    void warn(const Message &message) override { warning = message; }
    void end(bool) override {}

    std::map<int, std::string> texts;
    bool autoStop = true;
    int focused = 0;
    std::optional<Message> warning;
};

// Opened, the fields changed, OK: the warning and the control focused after it.
std::string settings(Session &session, std::string_view changes)
{
    static const std::map<std::string_view, int> ids{
        {"targetShots", SettingsForm::TargetShots},
        {"radius", SettingsForm::Radius},
        {"dimensions", SettingsForm::Dimensions},
    };
    SettingsForm form(session);
    FilledDialog dialog;
    form.open(dialog);
    while (!changes.empty()) {
        const std::string_view change = changes.substr(0, changes.find(','));
        changes.remove_prefix(std::min(changes.size(), change.size() + 1));
        const std::string_view field = change.substr(0, change.find('='));
        const std::string text(change.substr(std::min(change.size(), field.size() + 1)));
        if (field == "autoStop")
            dialog.autoStop = text == "1";
        else if (ids.contains(field))
            dialog.texts[ids.at(field)] = text;
        else
            return "";
    }
    dialog.focused = 0;
    form.ok(dialog);
    if (!dialog.warning)
        return "{\"refusal\":null}";
    return "{\"refusal\":{\"warning\":" + quoted(dialog.warning->text) + ",\"focus\":"
        + std::to_string(dialog.focused) + "}}";
}

std::string run(Session &session)
{
    session.command(IdStart);
    while (session.running())
        session.pass();
    session.tick();
    std::string page;
    for (const auto &[line, x, text] : StatusPage::texts(session))
        page += std::string(page.empty() ? "" : ",") + "[" + std::to_string(line) + "," + std::to_string(x) + ","
            + quoted(text) + "]";
    StatusReading reading;
    reading.show(StatusPage::texts(session));
    return "{\"page\":[" + page + "],\"reading\":" + quoted(reading.text())
        + ",\"ended\":" + quoted(ScreenReader::announcement(session))
        + ",\"shotPane\":" + quoted(ScreenReader::shotDescription(session, 0)) + "}";
}

std::string save(Session &session, KeptReport &report)
{
    const Reaction reaction = session.command(IdSaveResult);
    return "{\"report\":\"" + hex(report.kept) + "\",\"message\":" + quoted(reaction.message.text) + "}";
}

std::string about()
{
    std::string texts;
    for (const DialogControl &control : AboutBox::controls)
        if (control.text[0] != '\0' && std::string_view(control.text) != Release::home)
            texts += std::string(texts.empty() ? "" : ",") + quoted(control.text);
    return "{\"texts\":[" + texts + "]}";
}

std::string rect(const Rect &r)
{
    return "[" + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + ","
        + std::to_string(r.height) + "]";
}

std::string layout(std::string_view size)
{
    int width = 0, height = 0;
    if (std::sscanf(std::string(size).c_str(), "%d,%d", &width, &height) != 2)
        return "";
    const Layout::Panes panes = Layout::panes(width, height);
    return "{\"shots\":" + rect(panes.shots) + ",\"status\":" + rect(panes.status) + "}";
}

std::string names()
{
    std::string items;
    for (const Menu::Item &item : Menu::items) {
        std::string name;
        for (const char *c = item.label; *c; ++c)
            if (*c != '&')
                name += *c;
        const char *spoken = Menu::spokenName(item.id);
        items += std::string(items.empty() ? "" : ",") + "{\"id\":" + std::to_string(item.id) + ",\"name\":"
            + quoted(spoken ? spoken : name) + ",\"divider\":" + (Menu::isDivider(item.id) ? "true" : "false") + "}";
    }
    return "{\"items\":[" + items + "],\"statusName\":" + quoted(ScreenReader::statusName)
        + ",\"shotName\":" + quoted(ScreenReader::shotName) + "}";
}

std::string quit(Session &session)
{
    session.command(IdQuit);
    return "{\"title\":" + quoted(Ending::title) + ",\"text\":" + quoted(Ending::text) + "}";
}

} // namespace

int main(int argc, char *argv[])
{
    KeptReport report;
    Session session(report);
    for (int i = 1; i < argc; ++i) {
        const std::string_view step = argv[i];
        std::string answer;
        if (step == "run")
            answer = run(session);
        else if (step == "save")
            answer = save(session, report);
        else if (step == "about")
            answer = about();
        else if (step == "names")
            answer = names();
        else if (step == "quit")
            answer = quit(session);
        else if (step.starts_with("layout:"))
            answer = layout(step.substr(7));
        else if (step.starts_with("set:"))
            answer = settings(session, step.substr(4));
        if (answer.empty()) {
            std::fprintf(stderr, "web_native_runs: unknown step '%s'\n", argv[i]);
            return 2;
        }
        std::printf("%s\n", answer.c_str());
    }
    return 0;
}
