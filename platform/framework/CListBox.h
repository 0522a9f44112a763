#pragma once

#include "platform/framework/CWnd.h"

inline constexpr int LB_ERR = -1;

// A single-selection, unsorted list box. Changes made here send no LBN_SELCHANGE: only the
// user's picks do.
class CListBox : public CWnd
{
public:
    void ResetContent();
    // index -1 appends. Returns the index, or LB_ERR.
    int InsertString(int index, const CString& text);
    int GetCurSel() const; // LB_ERR when nothing is selected
    // -1 removes the selection (and then returns LB_ERR: no entry is selected).
    int SetCurSel(int index);
    // Selects the first entry after startAfter (-1: from the top) whose text begins with
    // the prefix, compared without regard to case. Returns its index or LB_ERR.
    int SelectString(int startAfter, const CString& prefix);
    int FindString(int startAfter, const CString& prefix) const;
    CString GetText(int index) const; // "" for no such entry
    // What a screen reader says of an entry, where its text alone does not tell enough.
    void SetItemAccessibleText(int index, const CString& text);
};
