#include "platform/system/SystemInfo.h"

#include "platform/system/SystemFacts.h"
#include "platform/system/SystemSource.h"

namespace {
constexpr BOOL kFailed = 0;
constexpr BOOL kSucceeded = 1;
} // namespace

BOOL GetVersionExA(OSVERSIONINFOEXA* info)
{
    if (!info)
        return kFailed;
    const DWORD size = info->dwOSVersionInfoSize;
    if (size != kOsVersionInfoBasicSize && size != sizeof(OSVERSIONINFOEXA))
        return kFailed;
    const auto kernel = platform::CurrentSystemSource().Uname();
    if (!kernel)
        return kFailed;
    platform::FillVersionInfo(*kernel, *info, size);
    return kSucceeded;
}

void GetSystemInfo(SYSTEM_INFO* info)
{
    if (!info)
        return;
    const auto& source = platform::CurrentSystemSource();
    const auto kernel = source.Uname();
    platform::FillSystemInfo(kernel ? kernel->machine : std::string(), source.CpuInfoText(),
                             source.OnlineProcessorCount(), source.PageSize(), *info);
}

platform::SystemNames GetSystemNames()
{
    const auto& source = platform::CurrentSystemSource();
    const auto kernel = source.Uname();
    platform::SystemNames names;
    names.os = CString(platform::OperatingSystemName(source.OsReleaseText(), kernel));
    if (kernel) {
        names.kernelRelease = CString(kernel->release);
        names.kernelBuild = CString(platform::KernelBuildText(kernel->version));
        names.architecture = CString(platform::ArchitectureName(kernel->machine));
    }
    names.processor = CString(platform::ProcessorName(platform::ParseCpuInfo(source.CpuInfoText())));
    return names;
}
