#include "view/QuillonView.h"

void CQuillonView::OnClockShutdown() {}

void CQuillonView::CheckScheduledShutdown() {}

void CQuillonView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    CView::OnKeyDown(key, repeatCount, flags);
}
