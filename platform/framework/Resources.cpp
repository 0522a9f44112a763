#include "platform/framework/Resources.h"

namespace platform {

ResourceRegistry& ResourceRegistry::Instance()
{
    static ResourceRegistry registry;
    return registry;
}

CString ResourceRegistry::LoadString(UINT id) const
{
    const auto it = m_strings.find(id);
    if (it != m_strings.end())
        return CString(it->second);
    if (id == AFX_IDS_UNTITLED)
        return CString("Untitled");
    return {};
}

const std::vector<MenuItem>* ResourceRegistry::FindMenu(UINT id) const
{
    const auto it = m_menus.find(id);
    return it == m_menus.end() ? nullptr : &it->second;
}

} // namespace platform
