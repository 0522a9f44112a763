#pragma once

#include "platform/framework/CWnd.h"

enum ButtonCheckState : int
{
    BST_UNCHECKED = 0,
    BST_CHECKED = 1,
};

// A push button, check box, radio button or group box.
class CButton : public CWnd
{
public:
    // BM_SETCHECK: sets the mark without a BN_CLICKED notification.
    void SetCheck(int check);
    int GetCheck() const;
};
