#include "view/QuillonView.h"

void CQuillonView::ScanBirthdays() {}
