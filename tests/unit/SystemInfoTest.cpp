#include "platform/system/SystemInfo.h"
#include "platform/system/SystemFacts.h"
#include "platform/system/SystemInfoText.h"

#include <gtest/gtest.h>

#include <cstdio>
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
    FakeSource* fake = nullptr;
    void SetUp() override
    {
        auto source = std::make_unique<FakeSource>();
        fake = source.get();
        SetSystemSourceForTesting(std::move(source));
    }
    void TearDown() override { SetSystemSourceForTesting(nullptr); }

    SystemInfoTexts Query()
    {
        OSVERSIONINFOEXA version{};
        version.dwOSVersionInfoSize = 156;
        EXPECT_TRUE(GetVersionExA(&version));
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        return MakeSystemInfoTexts(version, system, GetOperatingSystemName());
    }
};

OSVERSIONINFOEXA WindowsRecord(DWORD major, DWORD minor, DWORD build, const char* csd)
{
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = 156;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    v.dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::snprintf(v.szCSDVersion, sizeof v.szCSDVersion, "%s", csd);
    return v;
}
} // namespace

TEST(SystemInfoText, WindowsNameTable)
{
    struct Row
    {
        DWORD major, minor;
        const char* text;
    } rows[] = {{4, 0, "Windows 95 or Windows NT 4.0"},
                {4, 10, "Windows 98"},
                {4, 90, "Windows Me"},
                {3, 51, "Windows NT 3.51"},
                {5, 0, "Windows 2000"},
                {5, 1, ""},
                {6, 0, ""},
                {6, 1, ""},
                {10, 0, ""}};
    for (const Row& row : rows) {
        const auto v = WindowsRecord(row.major, row.minor, 2600, "Service Pack 2");
        EXPECT_EQ(OperatingSystemText(v, "Debian").Bytes(), row.text) << row.major << "." << row.minor;
        // Build number and service pack show whatever the name does.
        EXPECT_EQ(BuildNumberText(v).Bytes(), "2600");
        EXPECT_EQ(ServicePackText(v).Bytes(), "Service Pack 2");
    }
}

TEST(SystemInfoText, LinuxPlatformShowsPrettyNameNotTheTable)
{
    for (DWORD major : {5u, 6u, 4u}) {
        auto v = WindowsRecord(major, 0, 0, "");
        v.dwPlatformId = VER_PLATFORM_LINUX;
        EXPECT_EQ(OperatingSystemText(v, "Debian GNU/Linux 12 (bookworm)").Bytes(),
                  "Debian GNU/Linux 12 (bookworm)");
    }
    auto other = WindowsRecord(5, 0, 0, "");
    other.dwPlatformId = 77;
    EXPECT_TRUE(OperatingSystemText(other, "x").IsEmpty());
}

TEST(SystemInfoText, BuildIsTheWholeFieldAndServicePackStopsAtItsField)
{
    auto v = WindowsRecord(4, 10, 0x040A08AE, "");
    EXPECT_EQ(BuildNumberText(v).Bytes(), "67766446");
    std::memset(v.szCSDVersion, 'A', sizeof v.szCSDVersion); // no terminator
    EXPECT_EQ(ServicePackText(v).GetLength(), 128);
}

TEST(SystemInfoText, ArchitectureAndLevelTables)
{
    struct Row
    {
        WORD arch, level;
        const char* archText;
        const char* levelText;
    } rows[] = {{0, 3, "Intel", "80386"},
                {0, 4, "Intel", "80486"},
                {0, 5, "Intel", "Pentium"},
                {0, 6, "Intel", "Pentium Pro or Pentium II"},
                {0, 15, "Intel", ""},
                {1, 4, "Mips", ""},
                {2, 5, "Alpha", ""},
                {3, 6, "PPC", ""},
                {4, 6, "", ""},
                {5, 6, "", ""},
                {6, 6, "IA64", ""},
                {7, 6, "Alpha64", ""},
                {9, 6, "", ""},
                {12, 6, "", ""},
                {0xFFFF, 6, "Unknown", ""}};
    for (const Row& row : rows) {
        EXPECT_EQ(ArchitectureText(row.arch).Bytes(), row.archText) << row.arch;
        EXPECT_EQ(ProcessorLevelText(row.arch, row.level).Bytes(), row.levelText) << row.arch;
    }
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

TEST_F(SystemQueries, LinuxRecordThroughTheQueries)
{
    fake->kernel = KernelIdentity{"Linux", "5.0.21-amd64", "#1 SMP Debian 5.0.21", "i686"};
    fake->osRelease = "PRETTY_NAME=\"Debian GNU/Linux 10 (buster)\"\n";
    fake->cpuInfo = "processor : 0\ncpu family : 6\nmodel : 8\n";
    fake->processors = 4;
    const auto t = Query();
    EXPECT_EQ(t.os.Bytes(), "Debian GNU/Linux 10 (buster)"); // not "Windows 2000"
    EXPECT_EQ(t.build.Bytes(), "21");
    EXPECT_EQ(t.servicePack.Bytes(), "#1 SMP Debian 5.0.21");
    EXPECT_EQ(t.processorCount.Bytes(), "4");
    EXPECT_EQ(t.architecture.Bytes(), "Intel");
    EXPECT_EQ(t.processorLevel.Bytes(), "Pentium Pro or Pentium II");
}

TEST_F(SystemQueries, X8664ShowsEmptyArchitectureAndLevel)
{
    fake->kernel = KernelIdentity{"Linux", "6.1.112", "#1", "x86_64"};
    fake->cpuInfo = "cpu family : 6\n";
    fake->processors = 0; // sysconf failing still counts the one we run on
    const auto t = Query();
    EXPECT_EQ(t.os.Bytes(), "Linux 6.1.112");
    EXPECT_EQ(t.build.Bytes(), "112");
    EXPECT_EQ(t.processorCount.Bytes(), "1");
    EXPECT_TRUE(t.architecture.IsEmpty());
    EXPECT_TRUE(t.processorLevel.IsEmpty());
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
    EXPECT_FALSE(GetOperatingSystemName().IsEmpty());
}
