#include "view/QuillonView.h"

void CQuillonView::OnClockTimer() {}

void CQuillonView::CheckStopwatch() {}
