#include "platform/DialogTemplate.h"

#include <map>

namespace {
std::map<UINT, const AfxDialogTemplate*>& Registry()
{
    static std::map<UINT, const AfxDialogTemplate*> templates;
    return templates;
}
} // namespace

void AfxRegisterDialogTemplate(const AfxDialogTemplate& dialogTemplate)
{
    Registry()[dialogTemplate.id] = &dialogTemplate;
}

const AfxDialogTemplate* AfxFindDialogTemplate(UINT id)
{
    auto found = Registry().find(id);
    return found != Registry().end() ? found->second : nullptr;
}
