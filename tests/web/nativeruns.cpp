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
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

// A JSON string: quotes, backslashes and control characters as \u escapes.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
        out += c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20 ? escaped : std::string(1, c);
    }
    return out + "\"";
}

std::string hex(std::string_view bytes)
{
    std::string out;
    for (const unsigned char c : bytes)
        out += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 0xF]};
    return out;
}

// A JSON array of values that are JSON already.
std::string array(const std::vector<std::string> &values)
{
    std::string out;
    for (const std::string &value : values)
        out += (out.empty() ? "" : ",") + value;
    return "[" + out + "]";
}

// Opened, the fields changed, OK: the warning and the field it names, which takes the keyboard after it.
std::string settings(Session &session, std::string_view changes)
{
    SettingsForm form(session);
    SettingsForm::Entries entries = form.shown();
    while (!changes.empty()) {
        const std::string_view change = changes.substr(0, changes.find(','));
        changes.remove_prefix(std::min(changes.size(), change.size() + 1));
        const std::string_view field = change.substr(0, change.find('='));
        const std::string text(change.substr(std::min(change.size(), field.size() + 1)));
        if (field == "autoStop")
            entries.autoStop = text == "1";
        else if (field == "targetShots")
            entries.targetShots = text;
        else if (field == "radius")
            entries.radius = text;
        else if (field == "dimensions")
            entries.dimensions = text;
        else
            return "";
    }
    const auto refusal = form.accept(entries);
    if (!refusal)
        return "{\"refusal\":null}";
    return "{\"refusal\":{\"warning\":" + quoted(refusal->warning.text) + ",\"focus\":"
        + std::to_string(refusal->field) + "}}";
}

std::string run(Session &session)
{
    session.command(IdStart);
    while (session.running())
        session.pass();
    session.tick();
    std::vector<std::string> page;
    for (const auto &[line, x, text] : StatusPage::texts(session))
        page.push_back(array({std::to_string(line), std::to_string(x), quoted(text)}));
    StatusReading reading;
    reading.show(StatusPage::texts(session));
    return "{\"page\":" + array(page) + ",\"reading\":" + quoted(reading.text())
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
    std::vector<std::string> texts;
    for (const DialogControl &control : AboutBox::controls)
        if (control.text[0] != '\0' && std::string_view(control.text) != Release::home)
            texts.push_back(quoted(control.text));
    return "{\"texts\":" + array(texts) + "}";
}

std::string layout(std::string_view size)
{
    int width = 0, height = 0;
    if (std::sscanf(std::string(size).c_str(), "%d,%d", &width, &height) != 2)
        return "";
    const Layout::Panes panes = Layout::panes(width, height);
    const auto rect = [](const Rect &r) {
        return array({std::to_string(r.x), std::to_string(r.y), std::to_string(r.width), std::to_string(r.height)});
    };
    return "{\"shots\":" + rect(panes.shots) + ",\"status\":" + rect(panes.status) + "}";
}

std::string names()
{
    std::vector<std::string> items;
    for (const Menu::Item &item : Menu::items) {
        std::string name = item.spoken ? item.spoken : item.label;
        std::erase(name, '&');
        items.push_back("{\"id\":" + std::to_string(item.id) + ",\"name\":" + quoted(name)
                        + ",\"divider\":" + (Menu::isDivider(item.id) ? "true" : "false") + "}");
    }
    return "{\"items\":" + array(items) + ",\"statusName\":" + quoted(ScreenReader::statusName)
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
