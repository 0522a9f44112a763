#include "platform/system/SystemFacts.h"

#include <algorithm>
#include <climits>
#include <cstdio>
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

// "0x41" as ARM64 writes its implementer and part numbers.
std::optional<int> CpuInfoHex(std::string_view value)
{
    value = Trim(value);
    if (value.size() < 3 || value.size() > 6 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return std::nullopt;
    int number = 0;
    for (const char c : value.substr(2)) {
        int digit = 0;
        if (IsDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        number = number * 16 + digit;
    }
    return number;
}

std::string CollapseSpaces(std::string_view value)
{
    std::string out;
    for (const char c : Trim(value)) {
        if (IsSpace(c)) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

// The cores of the ARM64 machines people run Linux desktops and servers on.
struct ArmCore
{
    int implementer;
    int part;
    const char* name;
};
constexpr ArmCore kArmCores[] = {
    {0x41, 0xd03, "Cortex-A53"}, {0x41, 0xd04, "Cortex-A35"},  {0x41, 0xd05, "Cortex-A55"},
    {0x41, 0xd07, "Cortex-A57"}, {0x41, 0xd08, "Cortex-A72"},  {0x41, 0xd09, "Cortex-A73"},
    {0x41, 0xd0a, "Cortex-A75"}, {0x41, 0xd0b, "Cortex-A76"},  {0x41, 0xd0c, "Neoverse-N1"},
    {0x41, 0xd0d, "Cortex-A77"}, {0x41, 0xd40, "Neoverse-V1"}, {0x41, 0xd41, "Cortex-A78"},
    {0x41, 0xd44, "Cortex-X1"},  {0x41, 0xd46, "Cortex-A510"}, {0x41, 0xd47, "Cortex-A710"},
    {0x41, 0xd48, "Cortex-X2"},  {0x41, 0xd49, "Neoverse-N2"}, {0x41, 0xd4f, "Neoverse-V2"},
    {0xc0, 0xac3, "Ampere-1"},   {0x61, 0x022, "M1 Icestorm"}, {0x61, 0x023, "M1 Firestorm"},
};

const char* ArmImplementerName(int implementer)
{
    switch (implementer) {
    case 0x41:
        return "Arm";
    case 0x42:
        return "Broadcom";
    case 0x43:
        return "Cavium";
    case 0x46:
        return "Fujitsu";
    case 0x48:
        return "HiSilicon";
    case 0x4e:
        return "NVIDIA";
    case 0x50:
        return "APM";
    case 0x51:
        return "Qualcomm";
    case 0x53:
        return "Samsung";
    case 0x61:
        return "Apple";
    case 0xc0:
        return "Ampere";
    default:
        return nullptr;
    }
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
        else if (name == "CPU implementer")
            facts.implementer = CpuInfoHex(value);
        else if (name == "CPU part")
            facts.part = CpuInfoHex(value);
        else if (name == "model name" || name == "Processor" || name == "cpu model" || name == "cpu" ||
                 name == "uarch") {
            // "model name" wins over the others; the first of them otherwise.
            if (facts.name.empty() || name == "model name")
                facts.name = CollapseSpaces(value);
        }
    }
    return facts;
}

std::string ProcessorName(const CpuFacts& cpu)
{
    if (!cpu.name.empty())
        return cpu.name;
    if (!cpu.implementer)
        return {};
    const char* maker = ArmImplementerName(*cpu.implementer);
    char implementerText[16];
    std::snprintf(implementerText, sizeof implementerText, "0x%02x", static_cast<unsigned>(*cpu.implementer));
    std::string name = maker ? maker : std::string("Implementer ") + implementerText;
    if (!cpu.part)
        return name;
    for (const ArmCore& core : kArmCores) {
        if (core.implementer == *cpu.implementer && core.part == *cpu.part)
            return name + ' ' + core.name;
    }
    char partText[16];
    std::snprintf(partText, sizeof partText, "0x%03x", static_cast<unsigned>(*cpu.part));
    return name + " part " + partText;
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

std::string ArchitectureName(std::string_view machine)
{
    struct Row
    {
        std::string_view machine;
        const char* name;
    };
    static constexpr Row kExact[] = {
        {"x86_64", "x86-64"},
        {"amd64", "x86-64"},
        {"aarch64", "AArch64"},
        {"arm64", "AArch64"},
        {"aarch64_be", "AArch64"},
        {"riscv64", "RISC-V 64"},
        {"riscv32", "RISC-V 32"},
        {"ppc64le", "PowerPC 64 LE"},
        {"ppc64", "PowerPC 64"},
        {"ppc", "PowerPC"},
        {"s390x", "IBM Z"},
        {"mips64", "MIPS64"},
        {"loongarch64", "LoongArch64"},
        {"ia64", "IA-64"},
        {"alpha", "Alpha"},
        {"sparc64", "SPARC64"},
    };
    for (const Row& row : kExact) {
        if (row.machine == machine)
            return row.name;
    }
    if (ArchitectureForMachine(machine) == PROCESSOR_ARCHITECTURE_INTEL)
        return "x86";
    if (machine.starts_with("arm"))
        return "ARM";
    if (machine.starts_with("mips"))
        return "MIPS";
    return std::string(machine);
}

std::string KernelBuildText(std::string_view version)
{
    const auto isFlag = [](std::string_view word) { return word == "SMP" || word.starts_with("PREEMPT"); };
    std::string out;
    bool first = true;
    std::string_view rest = version;
    while (!rest.empty()) {
        const std::size_t start = std::min(rest.find_first_not_of(' '), rest.size());
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view word = rest.substr(0, end);
        rest.remove_prefix(end);
        if (word.empty())
            break;
        const bool counter =
            first && word.size() > 1 && word[0] == '#' && std::all_of(word.begin() + 1, word.end(), IsDigit);
        first = false;
        if (counter || isFlag(word))
            continue;
        if (!out.empty())
            out += ' ';
        out += word;
    }
    return out.empty() ? std::string(version) : out;
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
