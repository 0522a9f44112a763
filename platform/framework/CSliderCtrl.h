#pragma once

#include "platform/framework/CWnd.h"

// Scroll codes a trackbar sends with WM_HSCROLL.
enum TrackbarCode : UINT
{
    TB_LINEUP = 0,
    TB_LINEDOWN = 1,
    TB_PAGEUP = 2,
    TB_PAGEDOWN = 3,
    TB_THUMBPOSITION = 4,
    TB_THUMBTRACK = 5,
    TB_TOP = 6,
    TB_BOTTOM = 7,
    TB_ENDTRACK = 8,
};

// A horizontal trackbar, range 0..100 until set. Moves made here send nothing; the user's
// moves (mouse or keyboard) send WM_HSCROLL to the dialog's OnHScroll.
class CSliderCtrl : public CWnd
{
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetRangeMax(int maximum, BOOL redraw = FALSE); // TBM_SETRANGEMAX
    void SetPos(int pos);                               // clamped to the range
    int GetPos() const;
};
