#pragma once

#include "platform/framework/CWnd.h"

// An edit field: one line, or multi-line (the rich edit of the templates is one too). Text
// is exchanged as bytes; multi-line text carries CR LF line breaks.
class CEdit : public CWnd
{
public:
    // -1 as the end selects to the end of the text.
    void SetSel(int start, int end);
    void SetReadOnly(BOOL readOnly = TRUE);
    BOOL IsReadOnly() const;
};

// Loads the rich edit library; nothing to load here, the widgets carry it.
inline BOOL AfxInitRichEdit()
{
    return TRUE;
}
