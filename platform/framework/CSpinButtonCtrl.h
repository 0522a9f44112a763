#pragma once

#include "platform/framework/CWnd.h"

// An up-down control. Its arrows (and, with UDS_ARROWKEYS, the Up and Down keys in its
// buddy) step the position by one towards the upper or lower end of the range and stop
// there; with UDS_SETBUDDYINT the buddy shows the position as a number and the position is
// read back from the buddy's text before each step. With UDS_AUTOBUDDY the buddy is the
// control before it in the template.
class CSpinButtonCtrl : public CWnd
{
public:
    // UDM_SETRANGE: lower is the value at the bottom arrow's end, upper at the top's.
    void SetRange(int lower, int upper);
    int SetPos(int pos); // returns the previous position
    int GetPos() const;
    CWnd* GetBuddy() const;
};
