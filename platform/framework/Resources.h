#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"
#include "platform/framework/DialogTemplate.h"

#include <map>
#include <vector>

// The program's resources, declared as data by res/ and registered once at start-up, then
// found by id as the framework finds them in the executable's resource section.
struct MenuItem
{
    const char* text = nullptr; // null: a separator
    UINT id = 0;                // command id; 0 for a popup
    std::vector<MenuItem> popup;
};

enum FrameworkString : UINT
{
    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_UNTITLED = 61443,
};

namespace platform {

class ResourceRegistry
{
public:
    static ResourceRegistry& Instance();

    void RegisterString(UINT id, const char* text) { m_strings[id] = text; }
    void RegisterMenu(UINT id, std::vector<MenuItem> items) { m_menus[id] = std::move(items); }
    void RegisterDialog(DialogTemplate dialog);
    // Pictures (bitmaps, icons, cursors) are image files, by default ":/res/<id>.png" in the
    // Qt resources; a registration names another file and, for a cursor, its hot spot.
    void RegisterImage(UINT id, const char* path, int hotSpotX = 0, int hotSpotY = 0);
    // An icon is one picture in several sizes, each an image file.
    void RegisterIcon(UINT id, std::vector<const char*> files) { m_icons[id] = std::move(files); }

    CString LoadString(UINT id) const;
    const std::vector<MenuItem>* FindMenu(UINT id) const;
    const DialogTemplate* FindDialog(UINT id) const;
    struct Image
    {
        CString path;
        int hotSpotX = 0;
        int hotSpotY = 0;
    };
    Image FindImage(UINT id) const;
    std::vector<const char*> FindIcon(UINT id) const;

private:
    std::map<UINT, const char*> m_strings;
    std::map<UINT, std::vector<MenuItem>> m_menus;
    std::map<UINT, DialogTemplate> m_dialogs;
    std::map<UINT, Image> m_images;
    std::map<UINT, std::vector<const char*>> m_icons;
};

} // namespace platform

inline CString AfxLoadString(UINT id)
{
    return platform::ResourceRegistry::Instance().LoadString(id);
}
