#pragma once

#include "platform/system/SystemRecords.h"
#include "platform/system/SystemSource.h"

#include <optional>
#include <string>
#include <string_view>

// Readers of the system's own texts, and the filling of the records from what they find.
namespace platform {

// A key's value in an os-release text: KEY=value lines, values optionally quoted the way the
// shell does it. The last assignment wins; nullopt when the key is absent.
std::optional<std::string> OsReleaseValue(std::string_view text, std::string_view key);

struct CpuFacts
{
    std::optional<int> family;
    std::optional<int> model;
    std::optional<int> stepping;
    // The processor's name as the kernel gives it, whitespace runs made one space: "model name"
    // (x86, most ARM32), "Processor" (older ARM32), "cpu model" (MIPS), "cpu" (PowerPC), "uarch"
    // (RISC-V); empty when there is none.
    std::string name;
    std::optional<int> implementer; // "CPU implementer" and "CPU part" of ARM64
    std::optional<int> part;
};
// The facts of the first processor in a /proc/cpuinfo text.
CpuFacts ParseCpuInfo(std::string_view text);

// The processor's name: the kernel's own where it gives one, else the maker and core an ARM
// processor's implementer and part numbers stand for ("Arm Cortex-A72", or "Arm part 0xd99"
// for a core not in the table); empty when nothing names it.
std::string ProcessorName(const CpuFacts& cpu);

// uname's machine name as people call the architecture: "x86-64", "x86", "AArch64", "ARM",
// "RISC-V 64", ...; the machine name itself for one not in the table.
std::string ArchitectureName(std::string_view machine);

// uname's version string without the build counter and the kernel's configuration words
// ("#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)" gives "Debian 6.1.76-1
// (2024-02-01)"), so the distribution's own version of the kernel comes first. The string
// as it is when nothing else would remain.
std::string KernelBuildText(std::string_view version);

struct KernelVersion
{
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0; // the third number: 112 of "6.1.112"
};
// The leading dotted numbers of a kernel release ("6.1.0-18-amd64" gives 6, 1, 0); numbers
// that are missing are 0, numbers too big for "%d" stop at its largest value.
KernelVersion ParseKernelRelease(std::string_view release);

// uname's machine name as the record's architecture code: the family's code where the
// record has one, PROCESSOR_ARCHITECTURE_UNKNOWN otherwise.
WORD ArchitectureForMachine(std::string_view machine);

// The Linux version record: kernel numbers, VER_PLATFORM_LINUX and uname's version string
// in szCSDVersion (cut to fit, never mid-character). Only the first `size` bytes are written
// (the basic or the extended record).
void FillVersionInfo(const KernelIdentity& kernel, OSVERSIONINFOEXA& info, DWORD size);

void FillSystemInfo(std::string_view machine, std::string_view cpuInfoText, long processorCount,
                    long pageSize, SYSTEM_INFO& info);

// PRETTY_NAME of os-release, else uname's system name and release ("Linux 6.1.0-18-amd64").
std::string OperatingSystemName(std::string_view osReleaseText, const std::optional<KernelIdentity>& kernel);

} // namespace platform
