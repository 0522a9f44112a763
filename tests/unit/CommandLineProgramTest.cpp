// The command-line actions of the installed program, run as a shell runs them: standard
// output on a full disk, a named pipe given as the book, a book crafted to drive the terminal.
#include "data/ContactBookFile.h"
#include "tests/support/Contacts.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testsupport::MakeContact;
using testsupport::ReadFile;

struct Outcome
{
    int status = -1; // the exit status; -1 when it had to be killed
    std::string out; // standard output, unless it went elsewhere
    std::string err;
};

class CommandLineProgram : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    // Runs quillon with args in the scratch folder; stdoutPath empty: standard output is kept.
    Outcome Quillon(const std::vector<std::string>& args, const std::string& stdoutPath = std::string())
    {
        const fs::path out = m_folder / ".out", err = m_folder / ".err";
        std::vector<std::string> env = {"XDG_CONFIG_HOME=" + (m_folder / ".config").string(), "TZ=UTC"};
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("XDG_CONFIG_HOME=", 0) != 0)
                env.emplace_back(*e);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(m_folder.c_str()) != 0)
                ::_exit(120);
            const int in = ::open("/dev/null", O_RDONLY);
            const int o = ::open(stdoutPath.empty() ? out.c_str() : stdoutPath.c_str(),
                                 O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (in < 0 || o < 0 || e < 0 || ::dup2(in, 0) < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0)
                ::_exit(121);
            std::vector<char*> argv{const_cast<char*>(QUILLON_BINARY)};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            std::vector<char*> envp;
            envp.reserve(env.size() + 1);
            for (std::string& entry : env)
                envp.push_back(entry.data());
            envp.push_back(nullptr);
            ::execve(QUILLON_BINARY, argv.data(), envp.data());
            ::_exit(122);
        }
        Outcome run;
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0);
                status = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (status != -1)
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (stdoutPath.empty())
            run.out = ReadFile(out);
        run.err = ReadFile(err);
        return run;
    }

    void SaveBook(const std::string& name, const CContactList& contacts)
    {
        ASSERT_TRUE(ContactBookFile(CString((m_folder / name).string())).Save(contacts).ok);
    }

    const testsupport::ScratchFolder m_scratch{"quillon-cli"};
    const fs::path& m_folder = m_scratch.path;
};

TEST_F(CommandLineProgram, AFullDiskIsAnErrorForEveryAction)
{
    CContactList book;
    for (int i = 0; i < 2000; ++i) // more than one buffer of output
        book.Add(MakeContact("Ann", "Lee", 1980, 3, 5));
    SaveBook("date.info", book);
    std::ofstream(m_folder / "in.vcf") << "BEGIN:VCARD\r\nN:Ray;Bo\r\nBDAY:1990-03-06\r\nEND:VCARD\r\n";
    const std::vector<std::vector<std::string>> actions = {
        {"--help"},
        {"--version"},
        {"--list"},
        {"--birthdays", "--date", "2026-03-05"},
        {"--export-vcard"},
        {"--import-vcard", "in.vcf", "other.info"},
        {"--export-vdir", "vdir"},
        {"--export-ics"},
        {"--remove-autostart"},
    };
    for (const std::vector<std::string>& action : actions) {
        SCOPED_TRACE(action.front());
        const Outcome ok = Quillon(action);
        EXPECT_EQ(ok.status, 0) << ok.err;
        EXPECT_FALSE(ok.out.empty());
        const Outcome full = Quillon(action, "/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "quillon: write error: No space left on device\n");
    }
}

TEST_F(CommandLineProgram, ANamedPipeIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo((m_folder / "pipe").c_str(), 0600), 0);
    std::ofstream(m_folder / "in.vcf") << "BEGIN:VCARD\r\nN:Ray;Bo\r\nBDAY:1990-03-06\r\nEND:VCARD\r\n";
    const std::string refused = "\"pipe\" is a named pipe, not a regular file.";
    for (const std::vector<std::string>& action : std::vector<std::vector<std::string>>{
             {"--list", "pipe"},
             {"--birthdays", "pipe"},
             {"--export-vcard", "pipe"},
             {"--import-vcard", "pipe", "book.info"},
             {"--import-vcard", "in.vcf", "pipe"},
             {"--export-vdir", "vdir", "pipe"},
             {"--export-ics", "pipe"},
         }) {
        SCOPED_TRACE(action.front() + " " + action[1]);
        const Outcome run = Quillon(action);
        EXPECT_EQ(run.status, 1) << "-1: it waited on the pipe until it was killed";
        EXPECT_NE(run.err.find(refused), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(m_folder / "book.info"));
}

TEST_F(CommandLineProgram, ABookCannotDriveTheTerminal)
{
    CContactList book;
    CContact crafted = MakeContact("Ann\x1B]0;owned\x07",
                                   "Lee\xC2\x9B"
                                   "2J",
                                   1980, 3, 5);
    crafted.m_strTel = "\x1B[31m123\x7F";
    crafted.m_strEMail = "\x9B"
                         "6n@example.org"; // an 8-bit CSI, not UTF-8
    crafted.m_strText = "line\r\nnext\tcol\\";
    book.Add(crafted);
    SaveBook("date.info", book);
    const std::string line = "05:03:1980\tAnn\\x1b]0;owned\\x07\tLee\\xc2\\x9b2J\t\\x1b[31m123\\x7f\t"
                             "\\x9b6n@example.org\tline\\r\\nnext\\tcol\\\\\n";
    Outcome run = Quillon({"--list"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, line);
    run = Quillon({"--birthdays", "--date", "2026-03-04"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Today\nTomorrow\n" + line);

    // File names in messages are escaped as well.
    run = Quillon({"--list", "\x1B[2Jmissing"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "quillon: cannot read the contact book \"\\x1b[2Jmissing\": No such file or directory.\n");
}

} // namespace
