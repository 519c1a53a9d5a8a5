#include "menunames.h"

#include "menu.h"
#include "widetext.h"

#include <oleacc.h>

namespace MenuNames {

namespace {
// Calls each named item's id with the annotation service, if there is one.
template <typename Call>
void forNamed(Call call)
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (const Menu::Item &item : Menu::items) {
        if (const char *name = Menu::spokenName(item.id))
            call(*services, static_cast<DWORD>(item.id), name);
    }
    services->Release();
}
} // namespace

void give(HMENU bar)
{
    forNamed([bar](IAccPropServices &services, DWORD id, const char *name) {
        services.SetHmenuPropStr(bar, id, PROPID_ACC_NAME, WideText::from(name).c_str());
    });
}

void clear(HMENU bar)
{
    forNamed([bar](IAccPropServices &services, DWORD id, const char *) {
        MSAAPROPID name = PROPID_ACC_NAME;
        services.ClearHmenuProps(bar, id, &name, 1);
    });
}

} // namespace MenuNames
