#pragma once

#include "platform/framework/AfxWin.h"

#include <cstdint>

class QWidget;

using HINSTANCE = std::intptr_t;

// Values above 32 mean the shell took the request.
inline constexpr HINSTANCE SE_ERR_NOASSOC = 31;

// The shell's "open" verb: a web address or a file goes to the desktop's opener for its
// kind (xdg-open, or what a test installed with QDesktopServices::setUrlHandler). Other
// verbs are not known here. The opener runs on its own; nothing waits for it.
HINSTANCE ShellExecute(QWidget* owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int showCommand);
