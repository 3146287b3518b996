#include "framework/Resources.h"

namespace {
const ResourceSet* s_pResources = nullptr;
}

void AfxSetResources(const ResourceSet* pResources)
{
    s_pResources = pResources;
}

const ResourceSet* AfxGetResources()
{
    return s_pResources;
}

std::string_view AfxLoadString(UINT nID)
{
    if (s_pResources) {
        for (const StringDef& s : s_pResources->strings) {
            if (s.nID == nID)
                return s.text;
        }
    }
    return {};
}

const DialogDef* AfxFindDialog(UINT nID)
{
    if (s_pResources) {
        for (const DialogDef& d : s_pResources->dialogs) {
            if (d.nID == nID)
                return &d;
        }
    }
    return nullptr;
}
