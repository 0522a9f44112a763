#include "data/ContactBookFile.h"
#include "data/BookLock.h"
#include "tests/support/Contacts.h"
#include "tests/support/ScopedHook.h"
#include "tests/support/ScratchFolder.h"
#include "tests/unit/WithoutRootOverride.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;
using testsupport::MakeContact;
using testsupport::ReadFile;
using Outcome = ContactBookFile::LoadResult::Outcome;

class ContactBookFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    // 2026-12-08 09:30:00 UTC
    testsupport::ScopedWallClock m_clock{[] { return std::int64_t{1796722200}; }};

    CString Book() const { return CString(m_book); }
    static void WriteAll(const fs::path& path, const Bytes& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static unsigned Mode(const fs::path& path)
    {
        struct stat st
        {
        };
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static CContactList TwoContacts()
    {
        CContactList list;
        CContact a = MakeContact("Ann", "", 1980, 3, 5);
        a.m_strText = CString("first\r\nsecond");
        list.Add(a);
        CContact b = MakeContact("", "", 1999, 12, 31, 13);
        b.m_strEMail = CString("b@example.org");
        list.Add(b);
        return list;
    }

    const testsupport::ScratchFolder m_scratch{"quillon-book"};
    const fs::path& m_folder = m_scratch.path;
    std::string m_book = (m_folder / "date.info").string();
};

TEST_F(ContactBookFileTest, MissingBookIsCreatedPrivateAndEmpty)
{
    ::umask(022);
    ContactBookFile file(Book());
    CContactList list;
    const auto result = file.Load(&list);
    EXPECT_TRUE(result.IsLoaded());
    EXPECT_TRUE(result.message.IsEmpty());
    EXPECT_TRUE(list.IsEmpty());
    ASSERT_TRUE(fs::exists(m_book));
    EXPECT_EQ(fs::file_size(m_book), 0u);
    EXPECT_EQ(Mode(m_book), 0600u);

    EXPECT_TRUE(file.Save(list).ok);
    EXPECT_EQ(ReadFile<Bytes>(m_book), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Mode(m_book), 0600u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"date.info"});
}

TEST_F(ContactBookFileTest, SaveAndLoadRoundTripKeepingPermissions)
{
    WriteAll(m_book, {0, 0, 0, 0});
    ::chmod(m_book.c_str(), 0640);
    ContactBookFile file(Book());
    CContactList empty;
    ASSERT_TRUE(file.Load(&empty).IsLoaded());
    ASSERT_TRUE(file.Save(TwoContacts()).ok);
    EXPECT_EQ(Mode(m_book), 0640u);

    CContactList back;
    ContactBookFile again(Book());
    ASSERT_TRUE(again.Load(&back).IsLoaded());
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.GetAt(0).m_strText, CString("first\r\nsecond"));
    EXPECT_EQ(back.GetAt(1).m_strEMail, CString("b@example.org"));
    EXPECT_EQ(back.GetAt(1).m_dtBirthday.GetHour(), 13);
}

TEST_F(ContactBookFileTest, FailedSaveAtAnyStepLeavesTheOldBook)
{
    const Bytes old = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (auto step : {ContactBookFile::SaveStep::createTemp, ContactBookFile::SaveStep::write,
                      ContactBookFile::SaveStep::sync, ContactBookFile::SaveStep::close,
                      ContactBookFile::SaveStep::rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        WriteAll(m_book, old);
        ContactBookFile file(Book());
        file.SetFaultHookForTesting([step](ContactBookFile::SaveStep at) { return at == step ? EIO : 0; });
        const auto result = file.Save(TwoContacts());
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.Bytes().find("date.info"), std::string::npos);
        EXPECT_EQ(ReadFile<Bytes>(m_book), old);
        EXPECT_EQ(Entries(), std::vector<std::string>{"date.info"}); // no temporary file left
    }
}

TEST_F(ContactBookFileTest, RealWriteFailureLeavesTheOldBook)
{
    // A file size limit makes write() itself fail, even for root.
    const Bytes old = {0, 0, 0, 0};
    WriteAll(m_book, old);
    CContactList big;
    CContact c;
    c.m_strText = CString(std::string(std::size_t{64} * 1024, 'x'));
    for (int i = 0; i < 4; ++i)
        big.Add(c);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t{100} * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    ContactBookFile file(Book());
    const auto result = file.Save(big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFile<Bytes>(m_book), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"date.info"});
}

TEST_F(ContactBookFileTest, SaveIntoAMissingFolderFails)
{
    ContactBookFile file(CString((m_folder / "gone" / "date.info").string()));
    const auto result = file.Save(TwoContacts());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.IsEmpty());
}

TEST_F(ContactBookFileTest, DamagedBookIsMovedAsideAndItsContactsKept)
{
    CContactList list = TwoContacts();
    {
        ContactBookFile writer(Book());
        ASSERT_TRUE(writer.Save(list).ok);
    }
    Bytes damaged = ReadFile<Bytes>(m_book);
    damaged.resize(damaged.size() - 3);
    WriteAll(m_book, damaged);

    ContactBookFile file(Book());
    CContactList back;
    const auto result = file.LoadOrSetAside(&back);
    EXPECT_EQ(result.outcome, Outcome::damaged);
    EXPECT_EQ(back.GetCount(), 1);
    EXPECT_EQ(result.movedTo, CString(m_book + ".damaged-20261208-093000"));
    EXPECT_NE(result.message.Bytes().find("damaged-20261208-093000"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_book));
    EXPECT_EQ(ReadFile<Bytes>(result.movedTo.Bytes()), damaged);

    // Once aside, saving writes a fresh book; a second damaged file in the same second
    // gets its own name.
    EXPECT_TRUE(file.IsSaveAllowed());
    EXPECT_TRUE(file.Save(back).ok);
    WriteAll(m_book, {5, 0, 0, 0});
    ContactBookFile second(Book());
    CContactList none;
    EXPECT_EQ(second.LoadOrSetAside(&none).movedTo, CString(m_book + ".damaged-20261208-093000-2"));
    EXPECT_EQ(ReadFile<Bytes>(result.movedTo.Bytes()), damaged);
}

TEST_F(ContactBookFileTest, DamagedBookLeftInPlaceIsNeverOverwritten)
{
    const Bytes damaged = {3, 0, 0, 0, 1};
    WriteAll(m_book, damaged);
    ContactBookFile file(Book());
    CContactList list;
    EXPECT_EQ(file.Load(&list).outcome, Outcome::damaged);
    EXPECT_FALSE(file.IsSaveAllowed());
    EXPECT_FALSE(file.Save(list).ok);
    EXPECT_EQ(ReadFile<Bytes>(m_book), damaged);
}

TEST_F(ContactBookFileTest, AFolderNamedLikeTheBookIsNotRead)
{
    fs::create_directory(m_book);
    ContactBookFile file(Book());
    CContactList list;
    const auto result = file.Load(&list);
    EXPECT_EQ(result.outcome, Outcome::failed);
    EXPECT_FALSE(result.message.IsEmpty());
    EXPECT_FALSE(file.Save(list).ok);
    EXPECT_TRUE(fs::is_directory(m_book));
}

TEST_F(ContactBookFileTest, APipeIsNeitherReadNorWaitedOnAndANamedBookIsNeverCreated)
{
    ASSERT_EQ(::mkfifo(m_book.c_str(), 0600), 0);
    for (const auto ifMissing : {ContactBookFile::IfMissing::create, ContactBookFile::IfMissing::fail}) {
        ContactBookFile file(Book());
        CContactList list;
        const auto result = file.Load(&list, ifMissing);
        EXPECT_EQ(result.outcome, Outcome::failed);
        EXPECT_EQ(result.message.Bytes(),
                  "The contact book \"" + m_book + "\" is not a file, so it was not read.");
        EXPECT_FALSE(file.IsSaveAllowed());
    }
    fs::remove(m_book);
    ContactBookFile named(Book());
    CContactList list;
    const auto missing = named.Load(&list, ContactBookFile::IfMissing::fail);
    EXPECT_EQ(missing.outcome, Outcome::failed);
    EXPECT_EQ(missing.message.Bytes(),
              "The contact book \"" + m_book + "\" could not be opened: No such file or directory.");
    EXPECT_FALSE(fs::exists(m_book));
}

TEST_F(ContactBookFileTest, SecondProcessSeesTheBookInUse)
{
    BookLock lock;
    ASSERT_TRUE(lock.Acquire(Book()).IsAcquired());
    EXPECT_EQ(Mode(m_book + ".lock"), 0600u);

    BookLock other;
    const auto busy = other.Acquire(Book());
    EXPECT_EQ(busy.outcome, BookLock::Result::Outcome::inUse);
    EXPECT_FALSE(busy.message.IsEmpty());

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        BookLock inChild;
        ::_exit(inChild.Acquire(Book()).outcome == BookLock::Result::Outcome::inUse ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    lock.Release();
    EXPECT_TRUE(other.Acquire(Book()).IsAcquired());
}

TEST_F(ContactBookFileTest, ReadOnlyBookIsLeftAsItIsAndSaid)
{
    const Bytes old = {0, 0, 0, 0};
    WriteAll(m_book, old);
    ::chmod(m_book.c_str(), 0400);
    ContactBookFile file(Book());
    CContactList list;
    ASSERT_TRUE(file.Load(&list).IsLoaded());

    const auto before = file.CheckSavable();
    EXPECT_FALSE(before.ok);
    EXPECT_EQ(before.message, CString("The contact book \"" + m_book +
                                      "\" is read-only, so the changes you make will not be saved."));
    const auto saved = file.Save(TwoContacts());
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.message.Bytes().find("read-only"), std::string::npos) << saved.message.Bytes();
    EXPECT_EQ(ReadFile<Bytes>(m_book), old);
    EXPECT_EQ(Mode(m_book), 0400u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"date.info"});

    ::chmod(m_book.c_str(), 0600); // the user gives it back its write bit: the retry works
    EXPECT_TRUE(file.CheckSavable().ok);
    EXPECT_TRUE(file.Save(TwoContacts()).ok);
}

TEST_F(ContactBookFileTest, UnwritableFolderIsToldBeforeAnySave)
{
    WriteAll(m_book, {0, 0, 0, 0});
    ContactBookFile file(Book());
    CContactList list;
    ASSERT_TRUE(file.Load(&list).IsLoaded());
    EXPECT_TRUE(file.CheckSavable().ok);
    ::chmod(m_folder.c_str(), 0500);
    {
        WithoutRootOverride asUser;
        ASSERT_TRUE(asUser.Active());
        const auto savable = file.CheckSavable();
        EXPECT_FALSE(savable.ok);
        EXPECT_NE(savable.message.Bytes().find("\"" + m_folder.string() +
                                               "\" cannot be written (Permission denied)"),
                  std::string::npos)
            << savable.message.Bytes();
        EXPECT_FALSE(file.Save(list).ok);
        // A read-only book there too: the folder is what stands in the way, at start and at exit.
        ::chmod(m_book.c_str(), 0400);
        EXPECT_NE(file.CheckSavable().message.Bytes().find("cannot be written"), std::string::npos);
        EXPECT_NE(file.Save(list).message.Bytes().find("creating a temporary file: Permission denied"),
                  std::string::npos);
    }
    ::chmod(m_folder.c_str(), 0700);
    EXPECT_EQ(ReadFile<Bytes>(m_book), (Bytes{0, 0, 0, 0}));
}

TEST_F(ContactBookFileTest, StaleTemporariesGoAtTheNextSaveUnderTheLock)
{
    WriteAll(m_book, {0, 0, 0, 0});
    const auto make = [&](const std::string& name) { WriteAll(m_folder / name, {1, 2, 3}); };
    make(".date.info.tmp-Ab3xYz"); // a save killed midway: goes
    make(".date.info.tmp-Ab3xY");  // not our pattern: stays
    make(".date.info.tmp-Ab3xYz1");
    make(".other.info.tmp-Ab3xYz");
    make("date.info.tmp-Ab3xYz");
    fs::create_directory(m_folder / ".date.info.tmp-folder");
    fs::create_symlink(m_folder / "elsewhere", m_folder / ".date.info.tmp-linkto");
    WriteAll(m_folder / "elsewhere", {7});
    const bool root = ::geteuid() == 0;
    if (root) {
        make(".date.info.tmp-theirs");
        ASSERT_EQ(::chown((m_folder / ".date.info.tmp-theirs").c_str(), 65534, 65534), 0);
    }
    std::vector<std::string> all = Entries();

    ContactBookFile file(Book());
    ASSERT_TRUE(file.Save(TwoContacts()).ok); // without the lock another save may be running
    EXPECT_EQ(Entries(), all);
    fs::create_hard_link(m_book, m_folder / ".date.info.tmp-hardln"); // the book itself
    all.emplace_back(".date.info.tmp-hardln");
    const Bytes saved = ReadFile<Bytes>(m_book);

    BookLock lock;
    ASSERT_TRUE(lock.Acquire(Book()).IsAcquired());
    ASSERT_TRUE(file.Save(TwoContacts(), &lock).ok);
    all.erase(std::find(all.begin(), all.end(), ".date.info.tmp-Ab3xYz"));
    all.emplace_back("date.info.lock");
    std::sort(all.begin(), all.end());
    EXPECT_EQ(Entries(), all);
    EXPECT_EQ(ReadFile<Bytes>(m_folder / "elsewhere"), Bytes{7});
    EXPECT_TRUE(fs::is_directory(m_folder / ".date.info.tmp-folder"));
    EXPECT_EQ(ReadFile<Bytes>(m_folder / ".date.info.tmp-hardln"), saved);
    CContactList back;
    ASSERT_TRUE(ContactBookFile(Book()).Load(&back).IsLoaded());
    EXPECT_EQ(back.GetCount(), 2);
}

TEST_F(ContactBookFileTest, LockNeverFollowsALinkNorWaitsOnAPipe)
{
    const fs::path lockPath = m_book + ".lock";
    const fs::path elsewhere = m_folder / "elsewhere";
    fs::create_symlink(elsewhere, lockPath); // dangling: following it would create the target
    BookLock lock;
    auto result = lock.Acquire(Book());
    EXPECT_EQ(result.outcome, BookLock::Result::Outcome::refused);
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_NE(result.message.Bytes().find("\"" + lockPath.string() + "\" is a symbolic link"),
              std::string::npos)
        << result.message.Bytes();
    EXPECT_FALSE(fs::exists(fs::symlink_status(elsewhere)));

    WriteAll(elsewhere, {5}); // an existing target is not opened either
    ::chmod(elsewhere.c_str(), 0644);
    EXPECT_EQ(lock.Acquire(Book()).outcome, BookLock::Result::Outcome::refused);
    EXPECT_EQ(Mode(elsewhere), 0644u);

    fs::remove(lockPath);
    ASSERT_EQ(::mkfifo(lockPath.c_str(), 0600), 0);
    result = lock.Acquire(Book());
    EXPECT_EQ(result.outcome, BookLock::Result::Outcome::refused);
    EXPECT_NE(result.message.Bytes().find("is not a regular file"), std::string::npos)
        << result.message.Bytes();

    fs::remove(lockPath);
    EXPECT_TRUE(lock.Acquire(Book()).IsAcquired());
}

TEST_F(ContactBookFileTest, DamageIsToldInWordsThatFitTheCount)
{
    const auto message = [&](const Bytes& bytes) {
        WriteAll(m_book, bytes);
        CContactList list;
        return ContactBookFile(Book()).Load(&list).message.Bytes();
    };
    const std::string book = "The contact book \"" + m_book + "\" is damaged. ";
    // A cut inside the first four bytes, the count.
    EXPECT_EQ(message({2, 0}), book +
                                   "It ends inside the number of contacts at its start. No contact could be "
                                   "read before the damage.");
    const Bytes annLee = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x99, 0xDC, 0x40, 0x00,
                          0x03, 0x41, 0x6E, 0x6E, 0x03, 0x4C, 0x65, 0x65, 0x03, 0x31, 0x32, 0x33, 0x00};
    Bytes one = {2, 0, 0, 0};
    one.insert(one.end(), annLee.begin(), annLee.end());
    EXPECT_EQ(message(one), book + "It announces 2 contacts, more than it has room for. The 1 contact before "
                                   "the damage was loaded.");
    Bytes three = {3, 0, 0, 0};
    for (int i = 0; i < 2; ++i)
        three.insert(three.end(), annLee.begin(), annLee.end());
    three.insert(three.end(), annLee.begin(), annLee.begin() + 25); // 52 bytes: room for three
    EXPECT_EQ(message(three),
              book + "It ends inside contact 3 of 3. The 2 contacts before the damage were loaded.");
    Bytes cut = {1, 0, 0, 0};
    cut.insert(cut.end(), annLee.begin(), annLee.begin() + 6);
    EXPECT_EQ(message(cut), book +
                                "It announces 1 contact, more than it has room for. No contact could be read "
                                "before the damage.");
}

} // namespace
