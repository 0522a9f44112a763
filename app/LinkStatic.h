#pragma once

#include "platform/framework/CStatic.h"
#include "platform/framework/Cursor.h"

// A picture that opens a web address: the hand over it, and each click hands the address to
// the shell. The parent still hears of the click in the usual way.
class CLinkStatic : public CStatic
{
public:
    CLinkStatic();
    ~CLinkStatic() override;

    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

    HCURSOR m_hCursor = nullptr; // shared with the resource loader; never destroyed here
    CString m_strURL;
};
