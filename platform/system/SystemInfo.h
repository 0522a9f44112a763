#pragma once

#include "platform/framework/CString.h"
#include "platform/system/SystemInfoText.h"
#include "platform/system/SystemRecords.h"

// The version and processor queries, answered from the running Linux system (or from the
// source a test installs with platform::SetSystemSourceForTesting).

// Fills the record whose dwOSVersionInfoSize is the basic (148) or the extended (156) size:
// the kernel release's numbers, VER_PLATFORM_LINUX and uname's version string as
// szCSDVersion. Any other size, or a failed uname, leaves the record untouched and returns
// FALSE.
BOOL GetVersionExA(OSVERSIONINFOEXA* info);

// Architecture from uname's machine, processor count from sysconf, level ("cpu family"),
// revision (model and stepping) from /proc/cpuinfo on x86.
void GetSystemInfo(SYSTEM_INFO* info);

// The system's own names, which the records have no room for: PRETTY_NAME of os-release (else
// uname's system name and release), uname's release and version, the architecture's name and
// the processor's model name from /proc/cpuinfo. A failed uname leaves the kernel's empty.
platform::SystemNames GetSystemNames();
