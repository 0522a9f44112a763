#include "platform/system/SystemInfo.h"
#include "platform/system/SystemFacts.h"
#include "platform/system/SystemInfoText.h"
#include "tests/support/ScopedHook.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {
class FakeSource : public SystemSource
{
public:
    std::optional<KernelIdentity> kernel;
    std::string osRelease;
    std::string cpuInfo;
    long processors = 1;
    std::optional<KernelIdentity> Uname() const override { return kernel; }
    std::string OsReleaseText() const override { return osRelease; }
    std::string CpuInfoText() const override { return cpuInfo; }
    long OnlineProcessorCount() const override { return processors; }
    long PageSize() const override { return 4096; }
};

// Installs a fake source for one test and puts the real one back afterwards.
class SystemQueries : public ::testing::Test
{
protected:
    FakeSource source;
    testsupport::ScopedSystemSource install{&source};
    FakeSource* fake = &source;

    SystemInfoTexts Query()
    {
        OSVERSIONINFOEXA version{};
        version.dwOSVersionInfoSize = 156;
        EXPECT_TRUE(GetVersionExA(&version));
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        return MakeSystemInfoTexts(system, GetSystemNames());
    }
};

} // namespace

TEST(SystemInfoText, TheSystemsOwnNames)
{
    const SystemNames names{"Debian GNU/Linux 12 (bookworm)", "5.0.21-amd64", "Debian 5.0.21", "x86",
                            "Pentium III"};
    SYSTEM_INFO system{};
    system.dwNumberOfProcessors = 2;
    system.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    system.wProcessorLevel = 6;
    const auto t = MakeSystemInfoTexts(system, names);
    EXPECT_EQ(t.os.Bytes(), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(t.build.Bytes(), "5.0.21-amd64");
    EXPECT_EQ(t.servicePack.Bytes(), "Debian 5.0.21");
    EXPECT_EQ(t.processorCount.Bytes(), "2");
    EXPECT_EQ(t.architecture.Bytes(), "x86");
    EXPECT_EQ(t.processorLevel.Bytes(), "Pentium III");
}

TEST(SystemFacts, KernelReleaseNumbers)
{
    struct Row
    {
        const char* release;
        DWORD major, minor, build;
    } rows[] = {{"6.1.112", 6, 1, 112},
                {"6.1.0-18-amd64", 6, 1, 0},
                {"5.15.0-91-generic", 5, 15, 0},
                {"4.19", 4, 19, 0},
                {"6.1-rc3.7", 6, 1, 0},
                {"", 0, 0, 0},
                {"6.1.99999999999", 6, 1, 2147483647}};
    for (const Row& row : rows) {
        const auto k = ParseKernelRelease(row.release);
        EXPECT_EQ(k.major, row.major) << row.release;
        EXPECT_EQ(k.minor, row.minor) << row.release;
        EXPECT_EQ(k.build, row.build) << row.release;
    }
}

TEST(SystemFacts, OsReleaseQuotingAndFallback)
{
    EXPECT_EQ(OsReleaseValue("NAME=x\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "PRETTY_NAME"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(OsReleaseValue("PRETTY_NAME='A \"b\"'", "PRETTY_NAME"), "A \"b\"");
    EXPECT_EQ(OsReleaseValue("PRETTY_NAME=\"say \\\"hi\\\"\"", "PRETTY_NAME"), "say \"hi\"");
    EXPECT_EQ(OsReleaseValue("# PRETTY_NAME=no\nPRETTY_NAME=Arch", "PRETTY_NAME"), "Arch");
    EXPECT_FALSE(OsReleaseValue("NAME=x", "PRETTY_NAME"));
    const KernelIdentity k{"Linux", "6.1.112", "#1", "x86_64"};
    EXPECT_EQ(OperatingSystemName("NAME=x", k), "Linux 6.1.112");
    EXPECT_EQ(OperatingSystemName("PRETTY_NAME=\"  \"", k), "Linux 6.1.112");
    EXPECT_EQ(OperatingSystemName("", std::nullopt), "");
}

TEST(SystemFacts, CpuInfoFirstBlockAndArchitectureCodes)
{
    const auto c = ParseCpuInfo("processor\t: 0\ncpu family\t: 6\nmodel\t\t: 158\nstepping\t: 10\n\n"
                                "processor\t: 1\ncpu family\t: 15\n");
    EXPECT_EQ(c.family, 6);
    EXPECT_EQ(c.model, 158);
    EXPECT_EQ(c.stepping, 10);
    EXPECT_FALSE(ParseCpuInfo("processor : 0\nBogoMIPS : 50\n").family);
    EXPECT_EQ(ArchitectureForMachine("x86_64"), 9);
    EXPECT_EQ(ArchitectureForMachine("i686"), 0);
    EXPECT_EQ(ArchitectureForMachine("i386"), 0);
    EXPECT_EQ(ArchitectureForMachine("aarch64"), 12);
    EXPECT_EQ(ArchitectureForMachine("ia64"), 6);
    EXPECT_EQ(ArchitectureForMachine("riscv64"), 0xFFFF);
    EXPECT_EQ(ArchitectureForMachine("i986"), 0xFFFF);
}

TEST(SystemFacts, ProcessorNames)
{
    const auto name = [](const char* cpuinfo) { return ProcessorName(ParseCpuInfo(cpuinfo)); };
    EXPECT_EQ(name("processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\n"
                   "model name\t: Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz\n\n"
                   "processor\t: 1\nmodel name\t: Another\n"),
              "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz");
    EXPECT_EQ(name("model name : Intel(R) Xeon(R) CPU           E5-2670 0 @ 2.60GHz  \n"),
              "Intel(R) Xeon(R) CPU E5-2670 0 @ 2.60GHz");
    // Older ARM32 kernels, PowerPC, MIPS and RISC-V name it in their own words.
    EXPECT_EQ(name("Processor\t: ARMv7 Processor rev 4 (v7l)\nprocessor\t: 0\n"),
              "ARMv7 Processor rev 4 (v7l)");
    EXPECT_EQ(name("processor\t: 0\ncpu\t\t: POWER9 (architected), altivec supported\n"),
              "POWER9 (architected), altivec supported");
    EXPECT_EQ(name("system type : X\nprocessor : 0\ncpu model : Loongson-3A R4\n"), "Loongson-3A R4");
    EXPECT_EQ(name("processor\t: 0\nhart\t\t: 1\nisa\t\t: rv64imafdc\nuarch\t\t: sifive,u74-mc\n"),
              "sifive,u74-mc");
    EXPECT_EQ(name("cpu : generic\nmodel name : Better\n"), "Better");
    // ARM64 gives numbers only: the maker and the core they stand for.
    const char* pi4 = "processor\t: 0\nBogoMIPS\t: 108.00\nCPU implementer\t: 0x41\n"
                      "CPU architecture: 8\nCPU variant\t: 0x0\nCPU part\t: 0xd08\n";
    EXPECT_EQ(name(pi4), "Arm Cortex-A72");
    EXPECT_EQ(name("CPU implementer : 0x41\nCPU part : 0xd99\n"), "Arm part 0xd99");
    EXPECT_EQ(name("CPU implementer : 0x51\nCPU part : 0x805\n"), "Qualcomm part 0x805");
    EXPECT_EQ(name("CPU implementer : 0x99\nCPU part : 0x1\n"), "Implementer 0x99 part 0x001");
    EXPECT_EQ(name("CPU implementer : 0x41\n"), "Arm");
    EXPECT_EQ(name("CPU implementer : 41\nCPU part : 0xd08\n"), "");
    EXPECT_EQ(name("processor : 0\nBogoMIPS : 50\n"), "");
    EXPECT_EQ(name(""), "");
}

TEST(SystemFacts, ArchitectureNames)
{
    struct Row
    {
        const char* machine;
        const char* name;
    } rows[] = {{"x86_64", "x86-64"},
                {"i686", "x86"},
                {"i386", "x86"},
                {"aarch64", "AArch64"},
                {"armv7l", "ARM"},
                {"armv6l", "ARM"},
                {"riscv64", "RISC-V 64"},
                {"ppc64le", "PowerPC 64 LE"},
                {"s390x", "IBM Z"},
                {"mips64", "MIPS64"},
                {"mipsel", "MIPS"},
                {"loongarch64", "LoongArch64"},
                {"ia64", "IA-64"},
                {"alpha", "Alpha"},
                {"m68k", "m68k"},
                {"i986", "i986"},
                {"", ""}};
    for (const Row& row : rows)
        EXPECT_EQ(ArchitectureName(row.machine), row.name) << row.machine;
}

TEST(SystemFacts, KernelBuildPutsTheDistributionsVersionFirst)
{
    struct Row
    {
        const char* version;
        const char* text;
    } rows[] = {
        {"#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)", "Debian 6.1.76-1 (2024-02-01)"},
        {"#1 SMP PREEMPT_RT Debian 6.1.76-1 (2024-02-01)", "Debian 6.1.76-1 (2024-02-01)"},
        {"#101-Ubuntu SMP Tue Nov 14 13:30:08 UTC 2023", "#101-Ubuntu Tue Nov 14 13:30:08 UTC 2023"},
        {"#1 SMP PREEMPT_DYNAMIC Thu, 01 Feb 2024 10:30:35 +0000", "Thu, 01 Feb 2024 10:30:35 +0000"},
        {"#1 SMP PREEMPT Sat Jan  6 12:00:00 UTC 2024", "Sat Jan 6 12:00:00 UTC 2024"},
        {"#1 SMP", "#1 SMP"}, // nothing else would remain
        {"#2", "#2"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(KernelBuildText(row.version), row.text) << row.version;
}

TEST_F(SystemQueries, AStockDebianKernelThroughTheQueries)
{
    fake->kernel = KernelIdentity{"Linux", "6.1.0-18-amd64",
                                  "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)", "x86_64"};
    fake->osRelease = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
    fake->cpuInfo =
        "processor : 0\ncpu family : 6\nmodel : 142\nmodel name : Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n";
    fake->processors = 8;
    const auto t = Query();
    EXPECT_EQ(t.os.Bytes(), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(t.build.Bytes(), "6.1.0-18-amd64"); // not the 0 of its third number
    EXPECT_EQ(t.servicePack.Bytes(), "Debian 6.1.76-1 (2024-02-01)");
    EXPECT_EQ(t.processorCount.Bytes(), "8");
    EXPECT_EQ(t.architecture.Bytes(), "x86-64");
    EXPECT_EQ(t.processorLevel.Bytes(), "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
    // The record itself still holds the numbers, as its readers expect.
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = 156;
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwMajorVersion, 6U);
    EXPECT_EQ(v.dwMinorVersion, 1U);
    EXPECT_EQ(v.dwBuildNumber, 0U);
    SYSTEM_INFO s{};
    GetSystemInfo(&s);
    EXPECT_EQ(s.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
    EXPECT_EQ(s.wProcessorLevel, 6);
}

TEST_F(SystemQueries, AnArmBoardThroughTheQueries)
{
    fake->kernel = KernelIdentity{"Linux", "6.1.0-rpi7-rpi-v8",
                                  "#1 SMP PREEMPT Debian 1:6.1.63-1+rpt1 (2023-11-24)", "aarch64"};
    fake->cpuInfo = "processor\t: 0\nBogoMIPS\t: 108.00\nCPU implementer\t: 0x41\nCPU part\t: 0xd08\n";
    fake->processors = 4;
    const auto t = Query();
    EXPECT_EQ(t.os.Bytes(), "Linux 6.1.0-rpi7-rpi-v8");
    EXPECT_EQ(t.build.Bytes(), "6.1.0-rpi7-rpi-v8");
    EXPECT_EQ(t.servicePack.Bytes(), "Debian 1:6.1.63-1+rpt1 (2023-11-24)");
    EXPECT_EQ(t.architecture.Bytes(), "AArch64");
    EXPECT_EQ(t.processorLevel.Bytes(), "Arm Cortex-A72");
}

TEST_F(SystemQueries, AFailedUnameLeavesTheKernelsNamesEmpty)
{
    fake->cpuInfo = "model name : Some CPU\n";
    const SystemNames names = GetSystemNames();
    EXPECT_TRUE(names.os.IsEmpty());
    EXPECT_TRUE(names.kernelRelease.IsEmpty());
    EXPECT_TRUE(names.kernelBuild.IsEmpty());
    EXPECT_TRUE(names.architecture.IsEmpty());
    EXPECT_EQ(names.processor.Bytes(), "Some CPU");
}

TEST_F(SystemQueries, VersionRecordSizeAndFailures)
{
    fake->kernel = KernelIdentity{"Linux", "6.1.1", std::string(200, 'v') + "\xC3\xA9", "x86_64"};
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = 100;
    v.dwMajorVersion = 77;
    EXPECT_FALSE(GetVersionExA(&v));
    EXPECT_EQ(v.dwMajorVersion, 77u);
    v.dwOSVersionInfoSize = 148;
    EXPECT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_LINUX);
    EXPECT_EQ(std::strlen(v.szCSDVersion), 127u);
    fake->kernel.reset();
    v.dwOSVersionInfoSize = 156;
    EXPECT_FALSE(GetVersionExA(&v));
}

TEST(SystemQueriesReal, RunningSystemAnswers)
{
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = 156;
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_LINUX);
    EXPECT_GE(v.dwMajorVersion, 2u);
    SYSTEM_INFO s{};
    GetSystemInfo(&s);
    EXPECT_GE(s.dwNumberOfProcessors, 1u);
    const SystemNames names = GetSystemNames();
    EXPECT_FALSE(names.os.IsEmpty());
    EXPECT_FALSE(names.kernelRelease.IsEmpty());
    EXPECT_FALSE(names.architecture.IsEmpty());
    // Every machine this runs on names its processor in /proc/cpuinfo in one of the ways read.
    EXPECT_FALSE(names.processor.IsEmpty());
}
