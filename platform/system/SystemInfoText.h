#pragma once

#include "platform/framework/CString.h"
#include "platform/system/SystemRecords.h"

// The texts the system information box shows, made from the two records.
namespace platform {

// On the Linux platform the system's own name (prettyName); on the Windows platforms the
// name of the major and minor version, empty for a pair the table doesn't know.
CString OperatingSystemText(const OSVERSIONINFOEXA& version, const CString& prettyName);
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
SystemInfoTexts MakeSystemInfoTexts(const OSVERSIONINFOEXA& version, const SYSTEM_INFO& system,
                                    const CString& prettyName);

} // namespace platform
