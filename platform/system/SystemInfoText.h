#pragma once

#include "platform/framework/CString.h"
#include "platform/system/SystemRecords.h"

// The texts the system information box shows, made from the two records.
namespace platform {

// What a Linux system says of itself that the records have no room for, in its own words.
struct SystemNames
{
    CString os;            // "Debian GNU/Linux 12 (bookworm)"
    CString kernelRelease; // "6.1.0-18-amd64"
    CString kernelBuild;   // "Debian 6.1.76-1 (2024-02-01)"
    CString architecture;  // "x86-64"
    CString processor;     // "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"
};

struct SystemInfoTexts
{
    CString os;
    CString build;
    CString servicePack;
    CString processorCount;
    CString architecture;
    CString processorLevel;
};
// The system's own names: its name, the kernel release as the build, the kernel's build
// description as the service pack, the architecture's name and the processor's model name as
// its level.
SystemInfoTexts MakeSystemInfoTexts(const SYSTEM_INFO& system, const SystemNames& names);

} // namespace platform
