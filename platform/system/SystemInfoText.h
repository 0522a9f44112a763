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

// The Windows tables, for records of the Windows platforms.
// The name of the major and minor version, empty for a pair the table doesn't know and for a
// record of any other platform.
CString OperatingSystemText(const OSVERSIONINFOEXA& version);
// The whole build number field with "%d".
CString BuildNumberText(const OSVERSIONINFOEXA& version);
// The service-pack string as it is, up to its terminator or the end of its field.
CString ServicePackText(const OSVERSIONINFOEXA& version);
CString ProcessorCountText(const SYSTEM_INFO& system);
CString ArchitectureText(WORD architecture);
// Filled only for the Intel architecture.
CString ProcessorLevelText(WORD architecture, WORD level);

struct SystemInfoTexts
{
    CString os;
    CString build;
    CString servicePack;
    CString processorCount;
    CString architecture;
    CString processorLevel;
};
// A Linux version record shows the system's own names: its name, the kernel release as the
// build, the kernel's build description as the service pack, the architecture's name and the
// processor's model name as its level. A Windows record goes through the Windows tables.
SystemInfoTexts MakeSystemInfoTexts(const OSVERSIONINFOEXA& version, const SYSTEM_INFO& system,
                                    const SystemNames& names);
// The Linux texts alone, for when there is no version record to name the system.
SystemInfoTexts LinuxSystemInfoTexts(const SYSTEM_INFO& system, const SystemNames& names);

} // namespace platform
