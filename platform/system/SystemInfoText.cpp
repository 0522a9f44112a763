#include "platform/system/SystemInfoText.h"

#include <cstring>

namespace platform {

CString OperatingSystemText(const OSVERSIONINFOEXA& version)
{
    // The table names Windows versions only; a kernel's numbers would match it by accident.
    if (version.dwPlatformId > VER_PLATFORM_WIN32_NT)
        return {};
    struct Row
    {
        DWORD major;
        DWORD minor;
        const char* text;
    };
    static constexpr Row kNames[] = {
        {4, 0, "Windows 95 or Windows NT 4.0"},
        {4, 10, "Windows 98"},
        {4, 90, "Windows Me"},
        {3, 51, "Windows NT 3.51"},
        {5, 0, "Windows 2000"},
    };
    for (const Row& row : kNames) {
        if (row.major == version.dwMajorVersion && row.minor == version.dwMinorVersion)
            return row.text;
    }
    return {};
}

CString BuildNumberText(const OSVERSIONINFOEXA& version)
{
    return FormatString("%d", static_cast<int>(version.dwBuildNumber));
}

CString ServicePackText(const OSVERSIONINFOEXA& version)
{
    const std::size_t length = strnlen(version.szCSDVersion, sizeof version.szCSDVersion);
    return CString(std::string_view(version.szCSDVersion, length));
}

CString ProcessorCountText(const SYSTEM_INFO& system)
{
    return FormatString("%d", static_cast<int>(system.dwNumberOfProcessors));
}

CString ArchitectureText(WORD architecture)
{
    switch (architecture) {
    case PROCESSOR_ARCHITECTURE_INTEL:
        return "Intel";
    case PROCESSOR_ARCHITECTURE_MIPS:
        return "Mips";
    case PROCESSOR_ARCHITECTURE_ALPHA:
        return "Alpha";
    case PROCESSOR_ARCHITECTURE_PPC:
        return "PPC";
    case PROCESSOR_ARCHITECTURE_IA64:
        return "IA64";
    case PROCESSOR_ARCHITECTURE_ALPHA64:
        return "Alpha64";
    case PROCESSOR_ARCHITECTURE_UNKNOWN:
        return "Unknown";
    default:
        return {};
    }
}

CString ProcessorLevelText(WORD architecture, WORD level)
{
    if (architecture != PROCESSOR_ARCHITECTURE_INTEL)
        return {};
    switch (level) {
    case 3:
        return FormatString("%d", 80386);
    case 4:
        return FormatString("%d", 80486);
    case 5:
        return "Pentium";
    case 6:
        return "Pentium Pro or Pentium II";
    default:
        return {};
    }
}

SystemInfoTexts LinuxSystemInfoTexts(const SYSTEM_INFO& system, const SystemNames& names)
{
    return {names.os,           names.kernelRelease, names.kernelBuild, ProcessorCountText(system),
            names.architecture, names.processor};
}

SystemInfoTexts MakeSystemInfoTexts(const OSVERSIONINFOEXA& version, const SYSTEM_INFO& system,
                                    const SystemNames& names)
{
    if (version.dwPlatformId == VER_PLATFORM_LINUX)
        return LinuxSystemInfoTexts(system, names);
    return {OperatingSystemText(version),
            BuildNumberText(version),
            ServicePackText(version),
            ProcessorCountText(system),
            ArchitectureText(system.wProcessorArchitecture),
            ProcessorLevelText(system.wProcessorArchitecture, system.wProcessorLevel)};
}

} // namespace platform
