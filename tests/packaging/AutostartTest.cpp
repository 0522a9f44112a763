#include "app/Autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A private folder per test, removed afterwards.
class AutostartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quillon-autostart-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};
} // namespace

TEST(AutostartPath, FollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(AutostartEntryPath("/x/conf", "/home/u"), fs::path("/x/conf/autostart/quillon.desktop"));
    EXPECT_EQ(AutostartEntryPath(nullptr, "/home/u"), fs::path("/home/u/.config/autostart/quillon.desktop"));
    EXPECT_EQ(AutostartEntryPath("", "/home/u"), fs::path("/home/u/.config/autostart/quillon.desktop"));
    EXPECT_EQ(AutostartEntryPath("relative/conf", "/home/u"),
              fs::path("/home/u/.config/autostart/quillon.desktop"));
    EXPECT_TRUE(AutostartEntryPath(nullptr, nullptr).empty());
    EXPECT_TRUE(AutostartEntryPath("relative", "").empty());
}

TEST(AutostartExec, QuotesOnlyWhatTheLauncherWouldSplitOrExpand)
{
    EXPECT_EQ(QuoteExecArgument("/usr/bin/quillon"), "/usr/bin/quillon");
    EXPECT_EQ(QuoteExecArgument("/opt/my apps/quillon"), "\"/opt/my apps/quillon\"");
    EXPECT_EQ(QuoteExecArgument("/a$b/q"), "\"/a\\$b/q\"");
    EXPECT_EQ(QuoteExecArgument("/a\"b`c\\d"), "\"/a\\\"b\\`c\\\\d\"");
    EXPECT_EQ(QuoteExecArgument("/100%/q"), "/100%%/q");
    EXPECT_EQ(QuoteExecArgument(""), "\"\"");
}

TEST(AutostartEntry, NamesTheProgramAndTheBookFolder)
{
    const auto text = AutostartDesktopEntry("/opt/Q uillon/quillon", "/home/u/My Book\\s");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text->find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text->find("\nExec=\"/opt/Q uillon/quillon\"\n"), std::string::npos);
    // A backslash is doubled once by the string escape.
    EXPECT_NE(text->find("\nPath=/home/u/My Book\\\\s\n"), std::string::npos);
}

TEST(AutostartEntry, RefusesPathsThatWouldBreakTheFile)
{
    EXPECT_FALSE(AutostartDesktopEntry("/usr/bin/quillon", "/home/u/a\nExec=evil"));
    EXPECT_FALSE(AutostartDesktopEntry("/usr/bin/quil\tlon", "/home/u"));
    EXPECT_FALSE(AutostartDesktopEntry("/usr/bin/quillon", "/home/\xff\xfe"));
    EXPECT_FALSE(AutostartDesktopEntry("quillon", "/home/u"));
    EXPECT_FALSE(AutostartDesktopEntry("/usr/bin/quillon", "book"));
    EXPECT_TRUE(AutostartDesktopEntry("/usr/bin/quillon", "/home/u/B\xc3\xbc"
                                                          "cher"));
}

TEST_F(AutostartTest, InstallCreatesFoldersAndReplacesAnOldEntry)
{
    const fs::path entry = m_dir / "conf" / "autostart" / "quillon.desktop";
    AutostartResult result = InstallAutostart(entry, "/usr/bin/quillon", "/home/u/first");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_NE(ReadAll(entry).find("\nPath=/home/u/first\n"), std::string::npos);
    struct stat info
    {
    };
    ASSERT_EQ(stat(entry.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    result = InstallAutostart(entry, "/usr/bin/quillon", "/home/u/second");
    ASSERT_TRUE(result.ok) << result.message;
    const std::string text = ReadAll(entry);
    EXPECT_NE(text.find("\nPath=/home/u/second\n"), std::string::npos);
    EXPECT_EQ(text.find("first"), std::string::npos);
    // No temporary file is left beside the entry.
    EXPECT_EQ(std::distance(fs::directory_iterator(entry.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(AutostartTest, InstallReportsAFolderThatCannotBeMade)
{
    std::ofstream(m_dir / "conf") << "a file where the folder should be";
    const AutostartResult result =
        InstallAutostart(m_dir / "conf" / "autostart" / "quillon.desktop", "/usr/bin/quillon", "/home/u");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("cannot create"), std::string::npos);
}

TEST_F(AutostartTest, RemoveIsQuietAboutAMissingEntry)
{
    const fs::path entry = m_dir / "quillon.desktop";
    std::ofstream(entry) << "[Desktop Entry]\n";
    EXPECT_TRUE(RemoveAutostart(entry).ok);
    EXPECT_FALSE(fs::exists(entry));
    const AutostartResult again = RemoveAutostart(entry);
    EXPECT_TRUE(again.ok);
    EXPECT_NE(again.message.find("No autostart entry"), std::string::npos);
}

TEST_F(AutostartTest, OptionsUseTheEnvironmentTheRunningProgramAndTheCurrentFolder)
{
    const fs::path before = fs::current_path();
    fs::create_directory(m_dir / "book");
    fs::current_path(m_dir / "book");
    setenv("XDG_CONFIG_HOME", (m_dir / "conf").c_str(), 1);
    std::ostringstream out, err;
    const int installed = RunAutostartOption(true, out, err);
    fs::current_path(before);
    ASSERT_EQ(installed, 0) << err.str();
    const fs::path entry = m_dir / "conf" / "autostart" / "quillon.desktop";
    const std::string text = ReadAll(entry);
    EXPECT_NE(text.find("\nPath=" + (m_dir / "book").string() + "\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=" + fs::read_symlink("/proc/self/exe").string() + "\n"), std::string::npos);
    EXPECT_NE(out.str().find(entry.string()), std::string::npos);

    EXPECT_EQ(RunAutostartOption(false, out, err), 0);
    EXPECT_FALSE(fs::exists(entry));

    // An entry that cannot be replaced (a folder in its place) is a failure, on standard error.
    fs::create_directories(entry / "in-the-way");
    std::ostringstream out2, err2;
    EXPECT_EQ(RunAutostartOption(true, out2, err2), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_NE(err2.str().find("cannot write"), std::string::npos);
    EXPECT_TRUE(out2.str().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(entry.parent_path()), fs::directory_iterator()), 1);
}
