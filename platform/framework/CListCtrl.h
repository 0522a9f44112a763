#pragma once

#include "platform/framework/CWnd.h"
#include "platform/framework/GdiTypes.h"

inline constexpr UINT LVIF_TEXT = 0x1;
inline constexpr UINT LVIF_IMAGE = 0x2;
inline constexpr UINT LVIF_PARAM = 0x4;
inline constexpr UINT LVIF_STATE = 0x8;

// A list view in small-icon mode with single selection: items flow left to right and wrap.
class CListCtrl : public CWnd
{
public:
    BOOL DeleteAllItems(); // also forgets the selection mark
    int InsertItem(UINT mask, int index, const CString& text, UINT state, UINT stateMask, int image,
                   LPARAM data);
    int InsertItem(int index, const CString& text);
    BOOL SetTextColor(COLORREF color); // the colour of every item's text
    COLORREF GetTextColor() const;
    int GetItemCount() const;
    CString GetItemText(int index, int subItem = 0) const;
    // The item the user picked last; -1 when none was picked since the list was emptied.
    int GetSelectionMark() const;
};
