#pragma once

#include "platform/framework/CWnd.h"

// The codes a trackbar's OnHScroll carries: a move (by mouse or keys), and the mouse letting go.
// The dialogs act on the position alone, so the kinds of move are not told apart.
enum TrackbarCode : UINT
{
    TB_THUMBTRACK = 5,
    TB_ENDTRACK = 8,
};

// A horizontal trackbar, range 0..100 until set. Moves made here send nothing; the user's
// moves (mouse or keyboard) reach the dialog's OnHScroll.
class CSliderCtrl : public CWnd
{
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetRangeMax(int maximum, BOOL redraw = FALSE); // TBM_SETRANGEMAX
    void SetPos(int pos);                               // clamped to the range
    int GetPos() const;
};
