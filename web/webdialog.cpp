#include "webdialog.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

EM_JS(char *, js_dialog_text, (const char *element, int id), {
    const text = Module.page.dialogText(UTF8ToString(element), id);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, js_dialog_set_text, (const char *element, int id, const char *text),
      { Module.page.dialogSetText(UTF8ToString(element), id, UTF8ToString(text)); });
EM_JS(int, js_dialog_checked, (const char *element, int id),
      { return Module.page.dialogChecked(UTF8ToString(element), id) ? 1 : 0; });
EM_JS(void, js_dialog_set_checked, (const char *element, int id, int checked),
      { Module.page.dialogSetChecked(UTF8ToString(element), id, checked != 0); });
EM_JS(void, js_dialog_enable, (const char *element, int id, int enabled),
      { Module.page.dialogEnable(UTF8ToString(element), id, enabled != 0); });
EM_JS(void, js_dialog_focus, (const char *element, int id, int select),
      { Module.page.dialogFocus(UTF8ToString(element), id, select != 0); });
EM_JS(void, js_dialog_warn, (const char *element, const char *caption, const char *text, int warning),
      { Module.page.dialogWarn(UTF8ToString(element), UTF8ToString(caption), UTF8ToString(text), warning != 0); });
EM_JS(void, js_dialog_end, (const char *element, int accepted),
      { Module.page.dialogEnd(UTF8ToString(element), accepted != 0); });

std::string WebDialog::text(int id) const
{
    const std::unique_ptr<char, decltype(&std::free)> text(js_dialog_text(m_element, id), &std::free);
    return text.get();
}

void WebDialog::setText(int id, const std::string &text)
{
    js_dialog_set_text(m_element, id, text.c_str());
}

bool WebDialog::checked(int id) const
{
    return js_dialog_checked(m_element, id) != 0;
}

void WebDialog::setChecked(int id, bool checked)
{
    js_dialog_set_checked(m_element, id, checked);
}

void WebDialog::enable(int id, bool enabled)
{
    js_dialog_enable(m_element, id, enabled);
}

void WebDialog::focus(int id)
{
    js_dialog_focus(m_element, id, false);
}

void WebDialog::selectAll(int id)
{
    js_dialog_focus(m_element, id, true);
}

void WebDialog::warn(const Message &message)
{
    js_dialog_warn(m_element, message.caption.c_str(), message.text.c_str(), message.warning);
}

void WebDialog::end(bool accepted)
{
    js_dialog_end(m_element, accepted);
}
