#include "platform/system/SystemInfoText.h"

namespace platform {

SystemInfoTexts MakeSystemInfoTexts(const SYSTEM_INFO& system, const SystemNames& names)
{
    return {names.os,           names.kernelRelease,
            names.kernelBuild,  FormatString("%d", static_cast<int>(system.dwNumberOfProcessors)),
            names.architecture, names.processor};
}

} // namespace platform
