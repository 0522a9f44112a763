#include "app/VCardCommands.h"
#include "app/CommandLine.h"
#include "app/ExportCommands.h"
#include "data/BookLock.h"
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "data/VCard.h"
#include "tests/support/Contacts.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testsupport::MakeContact;
using testsupport::ReadFile;

class VCardCommands : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    int ExportFolder(const std::string& folder)
    {
        m_out.str({});
        m_err.str({});
        return ExportVdir(folder, m_book, m_out, m_err);
    }
    // Every file of a folder with its bytes and its inode, which a replacement changes.
    static std::map<std::string, std::pair<std::string, ino_t>> Files(const fs::path& folder)
    {
        std::map<std::string, std::pair<std::string, ino_t>> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            struct stat st
            {
            };
            ::lstat(entry.path().c_str(), &st);
            files[entry.path().filename().string()] = {ReadFile(entry.path().string()), st.st_ino};
        }
        return files;
    }
    int Import(const std::string& vcf, const std::string& input = std::string())
    {
        std::istringstream in(input);
        m_out.str({});
        m_err.str({});
        return ImportVCards(vcf, m_book, in, m_out, m_err);
    }
    CContactList LoadBook()
    {
        CContactList contacts;
        ContactBookFile book{CString(m_book)};
        EXPECT_TRUE(book.Load(&contacts).IsLoaded());
        return contacts;
    }
    void SaveBook(const CContactList& contacts)
    {
        ContactBookFile book{CString(m_book)};
        ASSERT_TRUE(book.Save(contacts).ok);
    }

    const testsupport::ScratchFolder m_scratch{"quillon-vcard"};
    const fs::path& m_folder = m_scratch.path;
    std::string m_book = (m_folder / "date.info").string();
    std::ostringstream m_out;
    std::ostringstream m_err;
};

std::string Card(const char* n, const char* bday)
{
    return std::string("BEGIN:VCARD\r\nVERSION:3.0\r\nN:") + n + "\r\nBDAY:" + bday + "\r\nEND:VCARD\r\n";
}

} // namespace

TEST_F(VCardCommands, ImportTwiceSkipsEverythingTheSecondTime)
{
    const std::string vcf = Write("in.vcf", Card("Lee;Ann;;;", "1980-03-05") + Card("Ray;Bo;;;", "--1224") +
                                                Card("Lee;Ann;;;", "19800305") + Card("Nobody;;;;", "soon"));
    ASSERT_FALSE(fs::exists(m_book));
    EXPECT_EQ(Import(vcf), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Added 2 contacts, skipped 2 (1 duplicate, 1 without a valid birthday).\n");
    EXPECT_NE(m_err.str().find("card 4 (Nobody) was skipped"), std::string::npos) << m_err.str();
    const std::string first = ReadFile(m_book);
    ASSERT_EQ(LoadBook().GetCount(), 2);

    EXPECT_EQ(Import(vcf), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Added 0 contacts, skipped 4 (3 duplicates, 1 without a valid birthday).\n");
    EXPECT_EQ(ReadFile(m_book), first);
}

TEST_F(VCardCommands, DuplicatesAreCaseSensitiveAndIgnoreTheTimeOfDay)
{
    CContactList book;
    book.Add(MakeContact("", "Lee", 1980, 3, 5, 8, 15)); // 08:15 in the book, midnight in the card
    SaveBook(book);
    EXPECT_EQ(Import("-", Card("Lee;;;;", "1980-03-05") + Card("LEE;;;;", "1980-03-05") +
                              Card("Lee;;;;", "1981-03-05")),
              0)
        << m_err.str();
    EXPECT_EQ(m_out.str(), "Added 2 contacts, skipped 1 (1 duplicate).\n");
}

TEST_F(VCardCommands, ImportLeavesTheBookAsIfEachCardWasAdded)
{
    CContactList book; // in file order, not sorted
    book.Add(MakeContact("", "Dec", 1970, 12, 1, 8, 15));
    book.Add(MakeContact("", "Jan", 1971, 1, 9, 8, 15));
    book.Add(MakeContact("", "Jun1", 1972, 6, 3, 8, 15));
    SaveBook(book);
    const std::string cards =
        Card("Jun2;;;;", "1990-06-03") + Card("Feb;;;;", "1991-02-01") + Card("Jun3;;;;", "1992-06-03");
    ASSERT_EQ(Import("-", cards), 0) << m_err.str();

    CContactList expected = book;
    for (const CContact& card : vcard::ReadCards(cards).contacts) {
        expected.Add(card);
        SortContactsByCalendarDay(expected);
    }
    const CContactList stored = LoadBook();
    ASSERT_EQ(stored.GetCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(stored[i].m_strLastName, expected[i].m_strLastName) << i;
    EXPECT_EQ(stored[0].m_strLastName, CString("Jan"));
    EXPECT_EQ(stored[5].m_strLastName, CString("Dec"));

    // Many contacts sharing a few days, where the exchange sort's order of equal days shows.
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        CContactList start;
        std::string more;
        for (int i = 0; i < 12; ++i) {
            const int month = 1 + static_cast<int>(random() % 3), day = 1 + static_cast<int>(random() % 2);
            const std::string name = "c" + std::to_string(round) + "-" + std::to_string(i);
            if (random() % 2)
                start.Add(MakeContact("", name.c_str(), 1980, month, day, 8, 15));
            else
                more += Card((name + ";;;;").c_str(), FormatString("1990-%02d-%02d", month, day).GetString());
        }
        SaveBook(start);
        ASSERT_EQ(Import("-", more), 0) << m_err.str();
        CContactList oneByOne = start;
        for (const CContact& card : vcard::ReadCards(more).contacts) {
            oneByOne.Add(card);
            SortContactsByCalendarDay(oneByOne);
        }
        const CContactList imported = LoadBook();
        ASSERT_EQ(imported.GetCount(), oneByOne.GetCount());
        for (int i = 0; i < imported.GetCount(); ++i)
            ASSERT_EQ(imported[i].m_strLastName, oneByOne[i].m_strLastName) << "round " << round << ", " << i;
    }
}

TEST_F(VCardCommands, ExportThenImportIntoAnEmptyBookGivesEqualContacts)
{
    CContactList book;
    CContact full = MakeContact("", "Müller", 1975, 2, 28, 8, 15);
    full.m_strFirstName = "Jörg";
    full.m_strTel = "+49 30; 1234";
    full.m_strEMail = "j@example.de";
    full.m_strText = "Zwei\r\nZeilen, mit \\ und ;";
    book.Add(full);
    book.Add(MakeContact("", "Lee", 1980, 3, 5, 8, 15));
    SaveBook(book);

    std::ostringstream exported, err;
    ASSERT_EQ(ExportVCards(m_book, exported, err), 0) << err.str();
    EXPECT_EQ(exported.str(), vcard::WriteCards(book));
    m_book = (m_folder / "other.info").string();
    ASSERT_EQ(Import("-", exported.str()), 0) << m_err.str();
    const CContactList back = LoadBook();
    ASSERT_EQ(back.GetCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(IsSameContact(book[i], back[i])) << i;
}

TEST_F(VCardCommands, RefusedWhileTheBookIsLockedDamagedOrTheInputHoldsNoCard)
{
    const std::string vcf = Write("in.vcf", Card("Lee;Ann;;;", "1980-03-05"));
    SaveBook(CContactList());
    const std::string empty = ReadFile(m_book);
    {
        BookLock running;
        ASSERT_TRUE(running.Acquire(CString(m_book)).IsAcquired());
        EXPECT_EQ(Import(vcf), 1);
        EXPECT_NE(m_err.str().find("in use"), std::string::npos) << m_err.str();
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(ReadFile(m_book), empty);
    }

    Write("date.info", std::string("\x05\x00\x00\x00\x00", 5)); // five contacts announced, none there
    EXPECT_EQ(Import(vcf), 1);
    EXPECT_NE(m_err.str().find("damaged"), std::string::npos) << m_err.str();
    EXPECT_EQ(ReadFile(m_book), std::string("\x05\x00\x00\x00\x00", 5));
    std::ostringstream out, err;
    EXPECT_EQ(ExportVCards(m_book, out, err), 1);
    EXPECT_NE(err.str().find("damaged"), std::string::npos) << err.str();
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_folder))
        ++entries;
    EXPECT_EQ(entries, 3) << "nothing was set aside"; // in.vcf, date.info, date.info.lock

    m_book = (m_folder / "new.info").string();
    EXPECT_EQ(Import(Write("text.txt", "just some text\n")), 1);
    EXPECT_EQ(Import((m_folder / "missing.vcf").string()), 1);
    EXPECT_FALSE(fs::exists(m_book));
    EXPECT_EQ(ExportVCards(m_book, out, err), 1);
    EXPECT_FALSE(fs::exists(m_book));
}

TEST_F(VCardCommands, FilesJoinedWithCatAreImportedCardByCard)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::string joined = bom + Card("Lee;Ann;;;", "1980-03-05") + bom +
                               Card("Ray;Bo;;;", "1990-01-02") + bom + "BEGIN:VCARD\r\nN:Cut;;;;\r\n" + bom +
                               Card("Mo;Di;;;", "1970-01-01") + "N:Headless;;;;\r\nEND:VCARD\r\n";
    ASSERT_EQ(Import(Write("joined.vcf", joined)), 0) << m_err.str();
    // Every card read is added or skipped, with its reason.
    EXPECT_EQ(m_out.str(), "Added 3 contacts, skipped 2 (2 incomplete).\n");
    EXPECT_EQ(m_err.str(), "quillon: card 3 was skipped: it has no END:VCARD.\n"
                           "quillon: card 5 was skipped: it has no BEGIN:VCARD.\n");
    EXPECT_EQ(LoadBook().GetCount(), 3);

    // Control characters from a card never reach the terminal, C1 ones in UTF-8 included.
    ASSERT_EQ(Import("-", Card("\x1B]0\\;x\x07;\xC2\x9B"
                               "31m;;;",
                               "\x1B[2Jsoon")),
              0);
    EXPECT_EQ(m_err.str(),
              "quillon: card 1 (31m ]0;x) was skipped: the birthday \"[2Jsoon\" is not a valid date.\n");
}

TEST_F(VCardCommands, RefusesWhatIsNotARegularFileWithoutWaiting)
{
    const std::string pipe = (m_folder / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ::alarm(20); // a reader that opened the pipe would wait for a writer forever
    EXPECT_EQ(Import(pipe), 1);
    EXPECT_EQ(m_err.str(), "quillon: the vCard file \"" + pipe +
                               "\" is a named pipe, not a regular file. Give - as the file to read standard "
                               "input. Nothing was imported.\n");
    const std::string vcf = Write("in.vcf", Card("Lee;Ann;;;", "1980-03-05"));
    m_book = pipe;
    EXPECT_EQ(Import(vcf), 1);
    EXPECT_NE(m_err.str().find("the contact book \"" + pipe + "\" is a named pipe"), std::string::npos)
        << m_err.str();
    std::ostringstream out, err;
    EXPECT_EQ(ExportVCards(pipe, out, err), 1);
    EXPECT_EQ(err.str(), "quillon: the contact book \"" + pipe +
                             "\" is a named pipe, not a regular file. Nothing was exported.\n");
    EXPECT_EQ(ExportVCards(m_folder.string(), out, err), 1);
    EXPECT_NE(err.str().find("is a folder, not a regular file"), std::string::npos) << err.str();
    ::alarm(0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(VCardCommands, AbsurdInputAndUnwritableBooksAreRefusedWithTheReason)
{
    // A sparse file: its size alone is refused, nothing of it is read.
    const std::string huge = (m_folder / "huge.vcf").string();
    std::filesystem::resize_file(Write("huge.vcf", Card("Lee;Ann;;;", "1980-03-05")),
                                 std::uintmax_t{257} << 20);
    EXPECT_EQ(Import(huge), 1);
    EXPECT_EQ(m_err.str(), "quillon: the vCard file \"" + huge +
                               "\" is larger than 256 MiB, far more than any address book; it was not read. "
                               "Nothing was imported.\n");
    EXPECT_EQ(Import((m_folder / "missing.vcf").string()), 1);
    EXPECT_EQ(m_err.str(), "quillon: cannot read the vCard file \"" + (m_folder / "missing.vcf").string() +
                               "\": No such file or directory. Nothing was imported.\n");

    const std::string vcf = Write("in.vcf", Card("Lee;Ann;;;", "1980-03-05"));
    SaveBook(CContactList());
    const std::string empty = ReadFile(m_book);
    ::chmod(m_book.c_str(), 0400);
    EXPECT_EQ(Import(vcf), 1);
    EXPECT_NE(m_err.str().find("could not be saved: the file is read-only"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(ReadFile(m_book), empty);

    ::chmod(m_book.c_str(), 0600);
    fs::remove(m_book + ".lock"); // left by the import before, as lock files are
    fs::create_symlink(m_folder / "elsewhere", m_book + ".lock");
    EXPECT_EQ(Import(vcf), 1);
    EXPECT_NE(m_err.str().find("is a symbolic link, which is not followed"), std::string::npos)
        << m_err.str();
    EXPECT_FALSE(fs::exists(m_folder / "elsewhere"));
    EXPECT_EQ(ReadFile(m_book), empty);
}

TEST_F(VCardCommands, FolderExportWritesWhatChangedAndNeverDeletes)
{
    CContactList book;
    book.Add(MakeContact("", "Lee", 1980, 3, 5, 8, 15));
    book.Add(MakeContact("", "Lee", 1980, 3, 5, 8, 15)); // a twin: a file of its own
    book.Add(MakeContact("", "Ray", 1904, 12, 24, 8, 15));
    SaveBook(book);
    const fs::path vdir = m_folder / "vdir"; // made by the export
    ASSERT_EQ(ExportFolder(vdir.string()), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Wrote 3 cards to \"" + vdir.string() + "\", 0 unchanged.\n");
    const std::vector<std::string> uids = vcard::ContactUids(book);
    auto first = Files(vdir);
    ASSERT_EQ(first.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(first[uids[static_cast<std::size_t>(i)] + ".vcf"].first,
                  vcard::WriteCard(book[i], uids[static_cast<std::size_t>(i)]));
    struct stat st
    {
    };
    ASSERT_EQ(::stat(vdir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // Unchanged: not one file replaced. A changed phone: that contact's file only, same name.
    ASSERT_EQ(ExportFolder(vdir.string()), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Wrote 0 cards to \"" + vdir.string() + "\", 3 unchanged.\n");
    EXPECT_EQ(Files(vdir), first);
    // Another program's card, of a contact imported from it: not written again under our UID.
    Write("vdir/other.vcf", Card("Mo;;;;", "1970-01-01"));
    book.Add(MakeContact("", "Mo", 1970, 1, 1, 8, 15));
    book[book.GetCount() - 1].m_dtBirthday = COleDateTime(1970, 1, 1, 0, 0, 0);
    book[2].m_strTel = "+1 555 0100";
    book.RemoveAt(0); // gone from the book, not from the folder; the twin's UID is now the first's
    SaveBook(book);
    ASSERT_EQ(ExportFolder(vdir.string()), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Wrote 1 card to \"" + vdir.string() +
                               "\", 1 unchanged, 1 there already as another program wrote them.\n");
    EXPECT_EQ(m_err.str(), "");
    book[2].m_strEMail = "mo@example.org"; // changed since: said, and still not written over
    SaveBook(book);
    ASSERT_EQ(ExportFolder(vdir.string()), 0) << m_err.str();
    EXPECT_EQ(m_err.str(),
              "quillon: \"" + (vdir / "other.vcf").string() +
                  "\" holds Mo as another program wrote the card, which differs from the book; it "
                  "was left as it is.\n");
    EXPECT_EQ(ReadFile((vdir / "other.vcf").string()), Card("Mo;;;;", "1970-01-01"));
    auto second = Files(vdir);
    ASSERT_EQ(second.size(), 4u);
    const std::string changed = uids[2] + ".vcf";
    EXPECT_NE(second[changed].second, first[changed].second);
    EXPECT_NE(second[changed].first.find("TEL:+1 555 0100\r\n"), std::string::npos);
    second.erase(changed);
    first.erase(changed);
    second.erase("other.vcf");
    EXPECT_EQ(second, first);

    // What stands in the way stops the export with its name; nothing half-written stays.
    struct Row
    {
        const char* name;
        std::string folder;
        const char* message;
    };
    fs::create_directory(vdir / changed.substr(0, changed.size() - 4));
    const std::string card = uids[0] + ".vcf";
    fs::remove(vdir / card);
    fs::create_directory(vdir / card);
    const Row rows[] = {
        {"a file as the folder", Write("plain", "x"),
         "the vCard folder \"%s\" is not a folder. Nothing was exported."},
        {"a folder as a card", vdir.string(),
         "is in the way: it is not a regular file. 0 of 3 cards were written"},
        {"a folder without a parent", (m_folder / "no/such").string(), "cannot create the vCard folder"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ExportFolder(row.folder), 1) << row.name;
        const std::string message = FormatString(row.message, row.folder.c_str()).GetString();
        EXPECT_NE(m_err.str().find(message), std::string::npos) << row.name << ": " << m_err.str();
        EXPECT_EQ(m_out.str(), "") << row.name;
    }
    for (const auto& entry : fs::directory_iterator(vdir))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "a temporary file was left";
}

TEST_F(VCardCommands, FolderImportReadsEveryCardAndKnowsContactsByTheirUid)
{
    CContactList book;
    book.Add(MakeContact("", "Lee", 1980, 3, 5, 8, 15));
    SaveBook(book);
    const std::string uid = vcard::ContactUid(book[0]);
    fs::create_directory(m_folder / "vdir");
    // Lee's phone changed on a phone; her card keeps the UID the export gave it.
    CContact changed = book[0];
    changed.m_strTel = "+1 555 0100";
    Write("vdir/" + uid + ".vcf", vcard::WriteCard(changed, uid));
    Write("vdir/b.VCF", Card("Ray;Bo;;;", "1990-01-02") + Card("Cut;;;;", "soon"));
    Write("vdir/c.vcf", "BEGIN:VCARD\r\nN:Ray;Bo;;;\r\nBDAY:1990-01-02\r\nUID:bo\r\nEND:VCARD\r\n");
    Write("vdir/.hidden.vcf", Card("Hidden;;;;", "1970-01-01"));
    Write("vdir/notes.txt", Card("Text;;;;", "1970-01-01"));
    fs::create_directory(m_folder / "vdir/sub.vcf");
    ASSERT_EQ(Import((m_folder / "vdir").string()), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Added 1 contact, skipped 3 (2 duplicates, 1 without a valid birthday).\n");
    const std::string folder = (m_folder / "vdir").string();
    EXPECT_EQ(m_err.str(),
              "quillon: \"" + folder +
                  "/b.VCF\": card 2 (Cut) was skipped: the birthday \"soon\" is "
                  "not a valid date.\nquillon: \"" +
                  folder + "/" + uid +
                  ".vcf\": Lee has the UID of Lee, who is in the book already; the book's fields were "
                  "kept.\n");
    const CContactList stored = LoadBook();
    ASSERT_EQ(stored.GetCount(), 2);
    EXPECT_EQ(stored[0].m_strLastName, CString("Ray"));
    EXPECT_EQ(stored[1].m_strTel, CString(""));

    // A folder a new address book left empty imports nothing, and that is no error.
    fs::create_directory(m_folder / "empty");
    const std::string before = ReadFile(m_book);
    ASSERT_EQ(Import((m_folder / "empty").string()), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Added 0 contacts, skipped 0.\n");
    EXPECT_EQ(ReadFile(m_book), before);
    // One unreadable card file stops the whole import, naming it.
    Write("vdir/d.vcf", Card("Di;;;;", "1970-01-01"));
    ::chmod((m_folder / "vdir/d.vcf").c_str(), 0);
    if (::access((m_folder / "vdir/d.vcf").c_str(), R_OK) != 0) { // root reads it anyway
        EXPECT_EQ(Import(folder), 1);
        EXPECT_EQ(m_err.str(), "quillon: cannot read the vCard file \"" + folder +
                                   "/d.vcf\": Permission denied. Nothing was imported.\n");
        EXPECT_EQ(ReadFile(m_book), before);
    }
}

TEST(VCardCommandLine, ParsesTheOptionsAndTheirOperands)
{
    CommandLine line = ParseOptions({"quillon", "--export-vcard"});
    EXPECT_EQ(line.action, CommandLine::Action::ExportVCard);
    EXPECT_EQ(line.vcard.book, "date.info");
    line = ParseOptions({"quillon", "--export-vcard", "book.info"});
    EXPECT_EQ(line.action, CommandLine::Action::ExportVCard);
    EXPECT_EQ(line.vcard.book, "book.info");
    line = ParseOptions({"quillon", "--import-vcard", "in.vcf"});
    EXPECT_EQ(line.action, CommandLine::Action::ImportVCard);
    EXPECT_EQ(line.vcard.vcf, "in.vcf");
    EXPECT_EQ(line.vcard.book, "date.info");
    line = ParseOptions({"quillon", "--import-vcard", "-", "b.info"});
    EXPECT_EQ(line.action, CommandLine::Action::ImportVCard);
    EXPECT_EQ(line.vcard.vcf, "-");
    EXPECT_EQ(line.vcard.book, "b.info");

    EXPECT_EQ(ParseOptions({"quillon", "--import-vcard"}).action, CommandLine::Action::Error);
    EXPECT_EQ(ParseOptions({"quillon", "--import-vcard", "a", "b", "c"}).action, CommandLine::Action::Error);
    EXPECT_EQ(ParseOptions({"quillon", "--export-vcard", "a", "b"}).action, CommandLine::Action::Error);
    EXPECT_EQ(ParseOptions({"quillon", "--export-vcard", "--bogus"}).action, CommandLine::Action::Error);

    struct Row
    {
        std::vector<std::string> args;
        CommandLine::Action action;
        const char* vcf;
        const char* book;
    };
    const Row rows[] = {
        {{"--export-vdir", "dir"}, CommandLine::Action::ExportVdir, "dir", "date.info"},
        {{"--export-vdir", "dir", "b.info"}, CommandLine::Action::ExportVdir, "dir", "b.info"},
        {{"--export-vdir"}, CommandLine::Action::Error, "", "date.info"},
        {{"--export-vdir", "a", "b", "c"}, CommandLine::Action::Error, "", "date.info"},
        {{"--export-ics"}, CommandLine::Action::ExportIcs, "", "date.info"},
        {{"--export-ics", "b.info"}, CommandLine::Action::ExportIcs, "", "b.info"},
        {{"--export-ics", "a", "b"}, CommandLine::Action::Error, "", "date.info"},
        {{"--export-ics", "-x"}, CommandLine::Action::Error, "", "date.info"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"quillon"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        line = ParseOptions(args);
        EXPECT_EQ(line.action, row.action) << row.args.size() << ' ' << row.args[0];
        EXPECT_EQ(line.vcard.vcf, row.vcf) << row.args[0];
        EXPECT_EQ(line.vcard.book, row.book) << row.args[0];
    }
}
