#include "paneaccessible.h"

#include <utility>

LRESULT PaneAccessible::answer(HWND window, WPARAM wParam, LPARAM lParam, LONG id, Answers answers)
{
    if (static_cast<LONG>(lParam) != id)
        return 0;
    IAccessible *standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void **>(&standard))))
        return 0;
    auto *object = new PaneAccessible(standard, std::move(answers));
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

PaneAccessible::PaneAccessible(IAccessible *standard, Answers answers)
    : m_standard(standard)
    , m_answers(std::move(answers))
{
}

PaneAccessible::~PaneAccessible()
{
    m_standard->Release();
}

bool PaneAccessible::isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT PaneAccessible::QueryInterface(REFIID riid, void **object)
{
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG PaneAccessible::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG PaneAccessible::Release()
{
    const LONG references = InterlockedDecrement(&m_references);
    if (references == 0)
        delete this;
    return static_cast<ULONG>(references);
}

HRESULT PaneAccessible::text(const VARIANT &child, const Text &own, BSTR *result)
{
    if (!isSelf(child) || !own)
        return S_FALSE;
    *result = SysAllocString(own().c_str());
    return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT PaneAccessible::get_accName(VARIANT child, BSTR *name)
{
    const HRESULT own = text(child, m_answers.name, name);
    return own == S_FALSE ? m_standard->get_accName(child, name) : own;
}

HRESULT PaneAccessible::get_accValue(VARIANT child, BSTR *value)
{
    const HRESULT own = text(child, m_answers.value, value);
    return own == S_FALSE ? m_standard->get_accValue(child, value) : own;
}

HRESULT PaneAccessible::get_accDescription(VARIANT child, BSTR *description)
{
    const HRESULT own = text(child, m_answers.description, description);
    return own == S_FALSE ? m_standard->get_accDescription(child, description) : own;
}

HRESULT PaneAccessible::get_accRole(VARIANT child, VARIANT *role)
{
    if (!isSelf(child) || !m_answers.role)
        return m_standard->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = m_answers.role;
    return S_OK;
}

HRESULT PaneAccessible::get_accState(VARIANT child, VARIANT *state)
{
    const HRESULT result = m_standard->get_accState(child, state);
    if (SUCCEEDED(result) && isSelf(child) && state->vt == VT_I4)
        state->lVal |= m_answers.state;
    return result;
}

// Everything else is the window's own object.
HRESULT PaneAccessible::GetTypeInfoCount(UINT *count) { return m_standard->GetTypeInfoCount(count); }
HRESULT PaneAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo **info)
{
    return m_standard->GetTypeInfo(index, locale, info);
}
HRESULT PaneAccessible::GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID locale, DISPID *ids)
{
    return m_standard->GetIDsOfNames(riid, names, count, locale, ids);
}
HRESULT PaneAccessible::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *parameters,
                               VARIANT *result, EXCEPINFO *exception, UINT *argumentError)
{
    return m_standard->Invoke(id, riid, locale, flags, parameters, result, exception, argumentError);
}
HRESULT PaneAccessible::get_accParent(IDispatch **parent) { return m_standard->get_accParent(parent); }
HRESULT PaneAccessible::get_accChildCount(LONG *count) { return m_standard->get_accChildCount(count); }
HRESULT PaneAccessible::get_accChild(VARIANT child, IDispatch **object) { return m_standard->get_accChild(child, object); }
HRESULT PaneAccessible::get_accHelp(VARIANT child, BSTR *help) { return m_standard->get_accHelp(child, help); }
HRESULT PaneAccessible::get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic)
{
    return m_standard->get_accHelpTopic(file, child, topic);
}
HRESULT PaneAccessible::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut)
{
    return m_standard->get_accKeyboardShortcut(child, shortcut);
}
HRESULT PaneAccessible::get_accFocus(VARIANT *child) { return m_standard->get_accFocus(child); }
HRESULT PaneAccessible::get_accSelection(VARIANT *children) { return m_standard->get_accSelection(children); }
HRESULT PaneAccessible::get_accDefaultAction(VARIANT child, BSTR *action)
{
    return m_standard->get_accDefaultAction(child, action);
}
HRESULT PaneAccessible::accSelect(LONG flags, VARIANT child) { return m_standard->accSelect(flags, child); }
HRESULT PaneAccessible::accLocation(LONG *left, LONG *top, LONG *width, LONG *height, VARIANT child)
{
    return m_standard->accLocation(left, top, width, height, child);
}
HRESULT PaneAccessible::accNavigate(LONG direction, VARIANT start, VARIANT *end)
{
    return m_standard->accNavigate(direction, start, end);
}
HRESULT PaneAccessible::accHitTest(LONG left, LONG top, VARIANT *child) { return m_standard->accHitTest(left, top, child); }
HRESULT PaneAccessible::accDoDefaultAction(VARIANT child) { return m_standard->accDoDefaultAction(child); }
HRESULT PaneAccessible::put_accName(VARIANT child, BSTR name) { return m_standard->put_accName(child, name); }
HRESULT PaneAccessible::put_accValue(VARIANT child, BSTR value) { return m_standard->put_accValue(child, value); }
