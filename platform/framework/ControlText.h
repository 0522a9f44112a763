#pragma once

#include "platform/framework/CString.h"

class QWidget;

namespace platform {

// The text of a control or dialog as bytes. Text that the user has not changed since the
// program set it comes back byte for byte, even where it is not valid UTF-8. Multi-line
// fields show "\n" and give CR LF back.
void SetControlText(QWidget* widget, const CString& text);
CString GetControlText(const QWidget* widget);

} // namespace platform
