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

void ResourceRegistry::RegisterDialog(DialogTemplate dialog)
{
    const UINT id = dialog.id;
    m_dialogs[id] = std::move(dialog);
}

const DialogTemplate* ResourceRegistry::FindDialog(UINT id) const
{
    const auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

void ResourceRegistry::RegisterImage(UINT id, const char* path, int hotSpotX, int hotSpotY)
{
    m_images[id] = Image{CString(path), hotSpotX, hotSpotY};
}

ResourceRegistry::Image ResourceRegistry::FindImage(UINT id) const
{
    const auto it = m_images.find(id);
    if (it != m_images.end())
        return it->second;
    return Image{FormatString(":/res/%u.png", id), 0, 0};
}

std::vector<const char*> ResourceRegistry::FindIcon(UINT id) const
{
    const auto it = m_icons.find(id);
    return it != m_icons.end() ? it->second : std::vector<const char*>{};
}

} // namespace platform
