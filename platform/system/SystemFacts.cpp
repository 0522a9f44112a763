#include "platform/system/SystemFacts.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace platform {

namespace {
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Leading digits of s from pos, saturated at INT_MAX; pos ends after them.
std::optional<DWORD> ReadNumber(std::string_view s, std::size_t& pos)
{
    if (pos >= s.size() || !IsDigit(s[pos]))
        return std::nullopt;
    DWORD value = 0;
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) {
        const auto digit = static_cast<DWORD>(s[pos] - '0');
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

// The shell's reading of one value: quotes removed, backslash escapes inside double quotes.
std::string Unquote(std::string_view raw)
{
    std::string out;
    char quote = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = 0;
            else
                out += c;
        } else if (quote == '"') {
            if (c == '"')
                quote = 0;
            else if (c == '\\' && i + 1 < raw.size() && std::strchr("\"\\$`", raw[i + 1]))
                out += raw[++i];
            else
                out += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '\\' && i + 1 < raw.size()) {
            out += raw[++i];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<int> CpuInfoNumber(std::string_view value)
{
    std::size_t pos = 0;
    value = Trim(value);
    const auto number = ReadNumber(value, pos);
    if (!number)
        return std::nullopt;
    return static_cast<int>(*number);
}
} // namespace

std::optional<std::string> OsReleaseValue(std::string_view text, std::string_view key)
{
    std::optional<std::string> found;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || line.substr(0, eq) != key)
            continue;
        found = Unquote(line.substr(eq + 1));
    }
    return found;
}

CpuFacts ParseCpuInfo(std::string_view text)
{
    CpuFacts facts;
    bool inBlock = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (Trim(line).empty()) {
            if (inBlock)
                break; // only the first processor's block
            continue;
        }
        inBlock = true;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view name = Trim(line.substr(0, colon));
        const std::string_view value = line.substr(colon + 1);
        if (name == "cpu family")
            facts.family = CpuInfoNumber(value);
        else if (name == "model")
            facts.model = CpuInfoNumber(value);
        else if (name == "stepping")
            facts.stepping = CpuInfoNumber(value);
    }
    return facts;
}

KernelVersion ParseKernelRelease(std::string_view release)
{
    DWORD numbers[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (DWORD& number : numbers) {
        const auto value = ReadNumber(release, pos);
        if (!value)
            break;
        number = *value;
        if (pos >= release.size() || release[pos] != '.')
            break;
        ++pos;
    }
    return {numbers[0], numbers[1], numbers[2]};
}

WORD ArchitectureForMachine(std::string_view machine)
{
    const auto starts = [machine](std::string_view prefix) { return machine.starts_with(prefix); };
    if (machine == "x86_64" || machine == "amd64")
        return PROCESSOR_ARCHITECTURE_AMD64;
    if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86" && machine[1] >= '3' &&
        machine[1] <= '6')
        return PROCESSOR_ARCHITECTURE_INTEL;
    if (machine == "aarch64" || machine == "arm64")
        return PROCESSOR_ARCHITECTURE_ARM64;
    if (starts("arm"))
        return PROCESSOR_ARCHITECTURE_ARM;
    if (machine == "ia64")
        return PROCESSOR_ARCHITECTURE_IA64;
    if (starts("mips"))
        return PROCESSOR_ARCHITECTURE_MIPS;
    if (machine == "alpha")
        return PROCESSOR_ARCHITECTURE_ALPHA64; // Linux on Alpha is 64-bit
    if (starts("ppc"))
        return PROCESSOR_ARCHITECTURE_PPC;
    return PROCESSOR_ARCHITECTURE_UNKNOWN;
}

void FillVersionInfo(const KernelIdentity& kernel, OSVERSIONINFOEXA& info, DWORD size)
{
    const KernelVersion version = ParseKernelRelease(kernel.release);
    info.dwMajorVersion = version.major;
    info.dwMinorVersion = version.minor;
    info.dwBuildNumber = version.build;
    info.dwPlatformId = VER_PLATFORM_LINUX;

    // Cut to fit with room for the terminator, without splitting a UTF-8 sequence.
    std::size_t length = std::min(kernel.version.size(), sizeof info.szCSDVersion - 1);
    if (length < kernel.version.size()) {
        while (length > 0 && (static_cast<unsigned char>(kernel.version[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
    std::memcpy(info.szCSDVersion, kernel.version.data(), length);

    if (size >= sizeof(OSVERSIONINFOEXA)) {
        info.wServicePackMajor = 0;
        info.wServicePackMinor = 0;
        info.wSuiteMask = 0;
        info.wProductType = 1; // a workstation
        info.wReserved = 0;
    }
}

void FillSystemInfo(std::string_view machine, std::string_view cpuInfoText, long processorCount,
                    long pageSize, SYSTEM_INFO& info)
{
    info = SYSTEM_INFO{};
    info.wProcessorArchitecture = ArchitectureForMachine(machine);
    const auto count = static_cast<DWORD>(std::clamp(processorCount, 1L, 4096L));
    info.dwNumberOfProcessors = count;
    info.dwActiveProcessorMask =
        count >= sizeof(DWORD_PTR) * CHAR_BIT ? ~DWORD_PTR{0} : (DWORD_PTR{1} << count) - 1;
    info.dwPageSize = static_cast<DWORD>(pageSize > 0 ? pageSize : 4096);
    info.dwAllocationGranularity = info.dwPageSize;

    const bool x86 = info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL ||
                     info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
    if (!x86)
        return;
    const CpuFacts cpu = ParseCpuInfo(cpuInfoText);
    info.wProcessorLevel = static_cast<WORD>(std::clamp(cpu.family.value_or(0), 0, 0xFFFF));
    info.wProcessorRevision = static_cast<WORD>((std::clamp(cpu.model.value_or(0), 0, 0xFF) << 8) |
                                                std::clamp(cpu.stepping.value_or(0), 0, 0xFF));
    if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64)
        info.dwProcessorType = PROCESSOR_AMD_X8664;
    else if (info.wProcessorLevel == 3)
        info.dwProcessorType = PROCESSOR_INTEL_386;
    else if (info.wProcessorLevel == 4)
        info.dwProcessorType = PROCESSOR_INTEL_486;
    else
        info.dwProcessorType = PROCESSOR_INTEL_PENTIUM;
}

std::string OperatingSystemName(std::string_view osReleaseText, const std::optional<KernelIdentity>& kernel)
{
    if (auto pretty = OsReleaseValue(osReleaseText, "PRETTY_NAME"); pretty && !Trim(*pretty).empty())
        return *pretty;
    if (!kernel)
        return {};
    if (kernel->release.empty())
        return kernel->sysname;
    return kernel->sysname + ' ' + kernel->release;
}

} // namespace platform
