#include "data/VCard.h"
#include "data/NotebookRules.h"
#include "data/VCardText.h"
#include "tests/support/Contacts.h"
#include "tests/support/Utf8.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using testsupport::IsValidUtf8;
using testsupport::MakeContact;

vcard::ReadResult Read(const std::string& text)
{
    return vcard::ReadCards(text);
}

// The texts of a contact: last and first name, telephone, e-mail and note.
std::vector<std::string> Fields(const CContact& contact)
{
    return {contact.m_strLastName.Bytes(), contact.m_strFirstName.Bytes(), contact.m_strTel.Bytes(),
            contact.m_strEMail.Bytes(), contact.m_strText.Bytes()};
}

std::vector<std::string> PhysicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

} // namespace

TEST(VCardWriter, WritesAKnownContactByteForByte)
{
    CContact contact = MakeContact("Ann", "Lee; Jr", 1980, 3, 5);
    contact.m_dtBirthday = COleDateTime(1980, 3, 5, 10, 30, 0);
    contact.m_strTel = "+1 555,1234";
    contact.m_strEMail = "ann@example.org";
    contact.m_strText = "First line\r\nC:\\temp, again";
    EXPECT_EQ(vcard::WriteCard(contact, "u-1"), "BEGIN:VCARD\r\n"
                                                "VERSION:3.0\r\n"
                                                "N:Lee\\; Jr;Ann;;;\r\n"
                                                "FN:Ann Lee\\; Jr\r\n"
                                                "TEL:+1 555\\,1234\r\n"
                                                "EMAIL:ann@example.org\r\n"
                                                "NOTE:First line\\nC:\\\\temp\\, again\r\n"
                                                "BDAY:1980-03-05\r\n"
                                                "UID:u-1\r\n"
                                                "END:VCARD\r\n");
}

TEST(VCardWriter, OmitsEmptyFieldsButKeepsTheNamesAndDropsAnInvalidBirthday)
{
    CContact contact;
    contact.m_dtBirthday.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(vcard::WriteCard(contact, "u"),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nUID:u\r\nEND:VCARD\r\n");
    contact.m_strLastName = "Lee";
    contact.m_dtBirthday = COleDateTime(2001, 12, 21, 0, 0, 0);
    EXPECT_EQ(
        vcard::WriteCard(contact, "u"),
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;;;;\r\nFN:Lee\r\nBDAY:2001-12-21\r\nUID:u\r\nEND:VCARD\r\n");
    // The book's year-less year is written as no year at all.
    for (const auto& [month, day, bday] : {std::tuple{4, 15, "--0415"}, std::tuple{2, 29, "--0229"}}) {
        contact.m_dtBirthday = COleDateTime(vcard::kYearOfBirthdayWithoutYear, month, day, 0, 0, 0);
        EXPECT_NE(vcard::WriteCard(contact, "u").find(std::string("\r\nBDAY:") + bday + "\r\n"),
                  std::string::npos);
    }
}

TEST(VCardWriter, FoldsLongLinesWithoutSplittingCharacters)
{
    CContact contact = MakeContact("Ann", "Lee", 1980, 3, 5);
    contact.m_strText = CString(std::string(100, 'x'));
    std::vector<std::string> lines = PhysicalLines(vcard::WriteCard(contact, "u"));
    ASSERT_EQ(lines[4], "NOTE:" + std::string(70, 'x'));
    ASSERT_EQ(lines[5], " " + std::string(30, 'x'));

    // Two- and three-byte characters at every offset against the fold.
    for (int shift = 0; shift < 3; ++shift) {
        std::string note(static_cast<std::size_t>(shift), 'a');
        for (int i = 0; i < 60; ++i)
            note += i % 2 ? "\xC3\xA9" : "\xE2\x82\xAC"; // é and €
        contact.m_strText = CString(note);
        const std::string card = vcard::WriteCard(contact, "u");
        std::string unfolded;
        for (const std::string& line : PhysicalLines(card)) {
            EXPECT_LE(line.size(), 75u);
            EXPECT_TRUE(IsValidUtf8(line)) << "a line split a character: " << line;
            if (!line.empty() && line[0] == ' ')
                unfolded += line.substr(1);
            else
                unfolded += "\n" + line;
        }
        EXPECT_NE(unfolded.find("\nNOTE:" + note + "\n"), std::string::npos);
        const vcard::ReadResult back = Read(card);
        ASSERT_EQ(back.contacts.GetCount(), 1);
        EXPECT_EQ(back.contacts[0].m_strText.Bytes(), note);
    }
}

TEST(VCardWriter, RoundTripGivesEqualContacts)
{
    CContactList contacts;
    CContact full = MakeContact("Jörg", "Müller-Lüdenscheidt", 1975, 2, 28);
    full.m_strTel = "+49 (0)30 1234;ext=5";
    full.m_strEMail = "joerg@example.de";
    full.m_strText =
        CString("Back\\slash, comma; semicolon\r\n\r\nand a blank line.\r\n" + std::string(300, 'n'));
    contacts.Add(full);
    contacts.Add(MakeContact("", "", 1904, 2, 29));
    CContact odd = MakeContact("日本", "語", 2000, 1, 1);
    odd.m_dtBirthday = COleDateTime(2000, 1, 1, 23, 59, 59);
    contacts.Add(odd);

    const vcard::ReadResult back = Read(vcard::WriteCards(contacts));
    EXPECT_EQ(back.cards, 3);
    EXPECT_TRUE(back.problems.empty());
    ASSERT_EQ(back.contacts.GetCount(), contacts.GetCount());
    for (int i = 0; i < contacts.GetCount(); ++i)
        EXPECT_TRUE(IsSameContact(contacts[i], back.contacts[i])) << "contact " << i;
    EXPECT_EQ(back.uids, vcard::ContactUids(contacts));
}

TEST(VCardUid, StaysWhileTheNamesAndTheBirthdayStayAndDiffersWithinABook)
{
    const CContact ann = MakeContact("Ann", "Lee", 1980, 3, 5);
    // Pinned: a changed derivation would give every card a new UID, and a synced address book a
    // second copy of everyone. Python's uuid.uuid5 of the namespace and "3:Ann3:Lee10:1980-03-05" agrees.
    EXPECT_EQ(vcard::ContactUid(ann), "ab9890bb-3deb-5049-9cf3-c637a394feda");
    struct Row
    {
        const char* change;
        void (*apply)(CContact&);
        bool sameUid;
    };
    const Row rows[] = {
        {"phone", [](CContact& c) { c.m_strTel = "+1 555 0100"; }, true},
        {"e-mail", [](CContact& c) { c.m_strEMail = "ann@example.org"; }, true},
        {"note", [](CContact& c) { c.m_strText = "met in Rome"; }, true},
        {"time of day", [](CContact& c) { c.m_dtBirthday = COleDateTime(1980, 3, 5, 10, 30, 0); }, true},
        {"first name", [](CContact& c) { c.m_strFirstName = "Anne"; }, false},
        {"case of the last name", [](CContact& c) { c.m_strLastName = "LEE"; }, false},
        {"names swapped", [](CContact& c) { std::swap(c.m_strFirstName, c.m_strLastName); }, false},
        {"a letter moved between the names",
         [](CContact& c) {
             c.m_strFirstName = "An";
             c.m_strLastName = "nLee";
         },
         false},
        {"day", [](CContact& c) { c.m_dtBirthday = COleDateTime(1980, 3, 6, 0, 0, 0); }, false},
        {"year", [](CContact& c) { c.m_dtBirthday = COleDateTime(1981, 3, 5, 0, 0, 0); }, false},
        {"year dropped", [](CContact& c) { c.m_dtBirthday = COleDateTime(1904, 3, 5, 0, 0, 0); }, false},
    };
    for (const Row& row : rows) {
        CContact changed = ann;
        row.apply(changed);
        EXPECT_EQ(vcard::ContactUid(changed) == vcard::ContactUid(ann), row.sameUid) << row.change;
    }

    // The same person three times over, and others between them: every UID differs, the first
    // of each is the contact's own, and removing a later twin leaves the earlier ones alone.
    CContactList book;
    for (int i = 0; i < 3; ++i) {
        book.Add(ann);
        book.Add(MakeContact("Bo", "Ray", 1990, 1, i + 1));
    }
    const std::vector<std::string> uids = vcard::ContactUids(book);
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
    EXPECT_EQ(uids[0], vcard::ContactUid(ann));
    EXPECT_EQ(uids[2], vcard::ContactUid(ann, 2));
    book.RemoveAt(4);
    const std::vector<std::string> fewer = vcard::ContactUids(book);
    EXPECT_EQ(std::vector<std::string>(fewer.begin(), fewer.begin() + 4),
              std::vector<std::string>(uids.begin(), uids.begin() + 4));
}

TEST(VCardWriter, BytesThatAreNotUtf8AreWrittenAsWindows1252)
{
    CContact contact = MakeContact("M\xFCller", "\x80", 1980, 3, 5);
    const std::string card = vcard::WriteCard(contact, "u");
    EXPECT_NE(card.find("N:\xE2\x82\xAC;M\xC3\xBCller;;;\r\n"), std::string::npos) << card;
}

TEST(VCardText, SingleByteCharsetsBecomeUtf8ByteForByte)
{
    using vcard::text::ConvertToUtf8;
    using vcard::text::ToValidUtf8;
    const std::string high("\x80\x81\x9F\xA0\xFF\0A", 7);
    // Latin-1 is the first 256 code points, C1 controls and NUL included.
    EXPECT_EQ(ConvertToUtf8(high, "latin1"), std::string("\xC2\x80\xC2\x81\xC2\x9F\xC2\xA0\xC3\xBF\0A", 12));
    // Windows-1252 has its own characters at 0x80-0x9F, and none at five of them.
    EXPECT_EQ(ConvertToUtf8(high, "Windows-1252"),
              std::string("\xE2\x82\xAC\xEF\xBF\xBD\xC5\xB8\xC2\xA0\xC3\xBF\0A", 14));
    // Among valid UTF-8 only the stray bytes are read as Windows-1252.
    EXPECT_EQ(ToValidUtf8("\xF0\x9F\x98\x80 \x81\x8A \xC3 \xE2\x82\xAC"),
              "\xF0\x9F\x98\x80 \xEF\xBF\xBD\xC5\xA0 \xC3\x83 \xE2\x82\xAC");
}

TEST(VCardReader, Version21QuotedPrintableAndCharsets)
{
    const vcard::ReadResult result =
        Read("BEGIN:VCARD\r\n"
             "VERSION:2.1\r\n"
             "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n"
             "TEL;HOME;VOICE:+49 30 1234\r\n"
             "EMAIL;INTERNET:joerg@example.de\r\n"
             "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe=0D=0Azweite =\r\n"
             "Zeile=3D ende\r\n"
             "BDAY:19800305\r\n"
             "END:VCARD\r\n"
             "BEGIN:VCARD\r\n"
             "VERSION:2.1\r\n"
             "N;QUOTED-PRINTABLE;CHARSET=WINDOWS-1252:=80uro;Sam\r\n"
             "NOTE:C:\\new\\temp\r\n"
             "BDAY:1990-10-10\r\n"
             "END:VCARD\r\n");
    ASSERT_EQ(result.contacts.GetCount(), 2);
    const CContact& joerg = result.contacts[0];
    EXPECT_EQ(Fields(joerg),
              (std::vector<std::string>{"M\xC3\xBCller", "J\xC3\xB6rg", "+49 30 1234", "joerg@example.de",
                                        "Gr\u00FC\u00DFe\r\nzweite Zeile= ende"}));
    EXPECT_EQ(FormatBirthdayText(joerg.m_dtBirthday), CString("05:03:1980"));
    EXPECT_EQ(result.contacts[1].m_strLastName.Bytes(), "\xE2\x82\xACuro");
    // 2.1 has no backslash escapes but for the semicolon.
    EXPECT_EQ(result.contacts[1].m_strText.Bytes(), "C:\\new\\temp");
}

TEST(VCardReader, Version30EscapesGroupsAndFolding)
{
    const vcard::ReadResult result = Read("BEGIN:VCARD\n"
                                          "VERSION:3.0\n"
                                          "N:O\\,Brien\\;Smith;Ann Marie;;;\n"
                                          "FN:Not used\n"
                                          "item1.TEL;TYPE=CELL:+1 555 0100\n"
                                          "TEL:+1 555 0199\n"
                                          "EMAIL;TYPE=\"work:internet\":ann@example.org\n"
                                          "EMAIL:other@example.org\n"
                                          "NOTE:one\\ntwo\\Nthree\\\\four\\,five\\;six\n"
                                          "  folded with a space\n"
                                          "\tand a tab\n"
                                          "BDAY:1975-11-30\n"
                                          "END:VCARD\n");
    ASSERT_EQ(result.contacts.GetCount(), 1);
    const CContact& ann = result.contacts[0];
    EXPECT_EQ(Fields(ann),
              (std::vector<std::string>{"O,Brien;Smith", "Ann Marie", "+1 555 0100", "ann@example.org",
                                        "one\r\ntwo\r\nthree\\four,five;six folded with a spaceand a tab"}));
}

TEST(VCardReader, Version40FormsAndTheFormattedNameAsFallback)
{
    const vcard::ReadResult result = Read("BEGIN:VCARD\r\n"
                                          "VERSION:4.0\r\n"
                                          "FN:Acme Support\r\n"
                                          "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+1-555-0100\r\n"
                                          "BDAY:19850412T101500Z\r\n"
                                          "END:VCARD\r\n"
                                          "BEGIN:VCARD\r\n"
                                          "VERSION:4.0\r\n"
                                          "N:Lee;Ann;;;\r\n"
                                          "BDAY;VALUE=text:circa 1800\r\n"
                                          "END:VCARD\r\n"
                                          "BEGIN:VCARD\r\n"
                                          "VERSION:4.0\r\n"
                                          "N:Ray;;;;\r\n"
                                          "BDAY:--1224\r\n"
                                          "END:VCARD\r\n");
    EXPECT_EQ(result.cards, 3);
    ASSERT_EQ(result.contacts.GetCount(), 2);
    EXPECT_EQ(result.contacts[0].m_strFirstName.Bytes(), "Acme Support");
    EXPECT_EQ(result.contacts[0].m_strLastName.Bytes(), "");
    EXPECT_EQ(result.contacts[0].m_strTel.Bytes(), "+1-555-0100");
    EXPECT_EQ(FormatBirthdayText(result.contacts[0].m_dtBirthday), CString("12:04:1985"));
    EXPECT_EQ(FormatBirthdayText(result.contacts[1].m_dtBirthday), CString("24:12:1904"));
    EXPECT_EQ(result.withoutBirthday, 1);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].card, 2);
    EXPECT_NE(result.problems[0].text.Bytes().find("circa 1800"), std::string::npos);
}

TEST(VCardReader, PreferredPhoneAndMailAppleYearsAgentsAndUids)
{
    struct Row
    {
        const char* name;
        std::string input;
        const char* tel; // of the one contact read
        const char* email;
        const char* birthday;
        const char* uid;
        int cards = 1;
    };
    const auto card = [](const char* version, const std::string& body) {
        return std::string("BEGIN:VCARD\r\nVERSION:") + version + "\r\nN:Lee;Ann;;;\r\n" + body +
               "END:VCARD\r\n";
    };
    const std::string agent =
        "AGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Friday;Fred\r\nTEL;PREF:9\r\n"
        "EMAIL;PREF:fred@example.org\r\nNOTE:agent's\r\nBDAY:19700101\r\nUID:fred\r\nEND:VCARD\r\n";
    const Row rows[] = {
        {"3.0 TYPE=pref",
         card("3.0", "TEL;TYPE=CELL:1\r\nTEL;TYPE=WORK,PREF:2\r\nEMAIL:a@x\r\n"
                     "EMAIL;TYPE=INTERNET;TYPE=pref:b@x\r\nBDAY:1980-03-05\r\n"),
         "2", "b@x", "05:03:1980", ""},
        {"3.0 quoted list", card("3.0", "TEL:1\r\nTEL;TYPE=\"voice,pref\":2\r\nBDAY:1980-03-05\r\n"), "2", "",
         "05:03:1980", ""},
        {"2.1 PREF", card("2.1", "TEL;HOME:1\r\nTEL;WORK;PREF:2\r\nTEL;PREF:3\r\nBDAY:19800305\r\n"), "2", "",
         "05:03:1980", ""},
        {"4.0 lowest PREF",
         card("4.0", "TEL;PREF=2:1\r\nTEL;PREF=1:2\r\nTEL:3\r\nEMAIL:a@x\r\n"
                     "EMAIL;PREF=50:b@x\r\nEMAIL;PREF=x:c@x\r\nBDAY:19800305\r\n"),
         "2", "b@x", "05:03:1980", ""},
        {"none preferred: the first", card("3.0", "TEL:\r\nTEL:1\r\nTEL:2\r\nBDAY:1980-03-05\r\n"), "1", "",
         "05:03:1980", ""},
        {"Apple year-less", card("3.0", "BDAY;X-APPLE-OMIT-YEAR=1604:1604-04-15\r\nUID:AB-1\r\n"), "", "",
         "15:04:1904", "AB-1"},
        {"Apple year kept", card("3.0", "BDAY;X-APPLE-OMIT-YEAR=1604:1979-04-15\r\n"), "", "", "15:04:1979",
         ""},
        {"2.1 agent before the fields", card("2.1", agent + "TEL:1\r\nBDAY:19800305\r\n"), "1", "",
         "05:03:1980", ""},
        {"2.1 agent after them",
         card("2.1", "UID:ann\r\nEMAIL:a@x\r\nBDAY:19800305\r\n" + agent + "NOTE:own\r\n"), "", "a@x",
         "05:03:1980", "ann"},
        {"agent within an agent",
         card("2.1",
              "AGENT:\r\nBEGIN:VCARD\r\nN:A;B\r\n" + agent + "TEL:8\r\nEND:VCARD\r\nBDAY:19800305\r\n"),
         "", "", "05:03:1980", ""},
        {"agent on its own line", card("2.1", "AGENT:BEGIN:VCARD\r\nTEL:7\r\nEND:VCARD\r\nBDAY:19800305\r\n"),
         "", "", "05:03:1980", ""},
        {"an agent that never ends does not swallow the next card",
         "BEGIN:VCARD\r\nN:Cut;;;;\r\nBDAY:19800305\r\nAGENT:\r\nBEGIN:VCARD\r\nN:X\r\nEND:VCARD\r\n" +
             card("3.0", "TEL:5\r\nBDAY:1980-03-05\r\n"),
         "5", "", "05:03:1980", "", 2},
    };
    for (const Row& row : rows) {
        const vcard::ReadResult result = Read(row.input);
        EXPECT_EQ(result.cards, row.cards) << row.name;
        ASSERT_EQ(result.contacts.GetCount(), 1) << row.name;
        ASSERT_EQ(result.uids.size(), 1u) << row.name;
        const CContact& ann = result.contacts[0];
        EXPECT_EQ(ann.m_strLastName.Bytes(), "Lee") << row.name;
        EXPECT_EQ(ann.m_strTel.Bytes(), row.tel) << row.name;
        EXPECT_EQ(ann.m_strEMail.Bytes(), row.email) << row.name;
        EXPECT_EQ(FormatBirthdayText(ann.m_dtBirthday), CString(row.birthday)) << row.name;
        EXPECT_EQ(result.uids[0], row.uid) << row.name;
        EXPECT_EQ(ann.m_strText.Bytes().find("agent"), std::string::npos) << row.name;
    }
}

TEST(VCardReader, BirthdayForms)
{
    struct Row
    {
        const char* value;
        const char* expected; // FormatBirthdayText, or nullptr for no valid date
        const char* yearOmitted = nullptr;
    };
    const Row rows[] = {
        {"1980-03-05", "05:03:1980"},
        {"19800305", "05:03:1980"},
        {"--0305", "05:03:1904"},
        {"--03-05", "05:03:1904"},
        {"--0229", "29:02:1904"},
        {"1980-03-05T10:00:00Z", "05:03:1980"},
        {"2000-02-29", "29:02:2000"},
        {"1900-02-29", nullptr},
        {"1980-13-01", nullptr},
        {"1980-02-30", nullptr},
        {"1980-3-5", nullptr},
        {"0000-01-01", nullptr},
        {"--1301", nullptr},
        {"---05", nullptr},
        {"1980", nullptr},
        {"abcdefgh", nullptr},
        {"1980-03-05extra", nullptr},
        {"", nullptr},
        {"+1980-03-05", nullptr},
        {"198O0305", nullptr},
        // Apple's year-less birthdays name the year to leave out.
        {"1604-04-15", "15:04:1904", "1604"},
        {"16040229", "29:02:1904", "1604"},
        {"1980-04-15", "15:04:1980", "1604"},
        {"--0415", "15:04:1904", "1604"},
    };
    for (const Row& row : rows) {
        const COleDateTime date = vcard::ParseBirthday(row.value, row.yearOmitted ? row.yearOmitted : "");
        if (row.expected) {
            ASSERT_EQ(date.GetStatus(), COleDateTime::valid) << row.value;
            EXPECT_EQ(FormatBirthdayText(date), CString(row.expected)) << row.value;
        } else {
            EXPECT_NE(date.GetStatus(), COleDateTime::valid) << row.value;
        }
    }
}

TEST(VCardReader, SkipsCardsWithoutBirthdayAndMalformedInput)
{
    const vcard::ReadResult result = Read("garbage before\r\n"
                                          "END:VCARD\r\n"
                                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:NoDay;Ann;;;\r\nEND:VCARD\r\n"
                                          "BEGIN:VCARD\r\nN:Cut;Bob;;;\r\nBDAY:1970-01-01\r\n"
                                          "BEGIN:VCARD\r\nN:Kept;Cy;;;\r\nno colon here\r\n:\r\n;;;\r\n"
                                          "BDAY:1971-01-01\r\nEND:VCARD\r\n"
                                          "BEGIN:VCARD\r\nN:Open;Dee;;;\r\nBDAY:1972-01-01\r\n");
    EXPECT_EQ(result.cards, 4);
    ASSERT_EQ(result.contacts.GetCount(), 1);
    EXPECT_EQ(result.contacts[0].m_strLastName.Bytes(), "Kept");
    EXPECT_EQ(result.withoutBirthday, 1);
    EXPECT_EQ(result.incomplete, 2);
    EXPECT_EQ(result.problems.size(), 3u);

    // A card whose BEGIN line is damaged is still counted, as skipped, not lost without a word.
    const vcard::ReadResult headless = Read("BEGIN:VCARD\r\nN:One;;;;\r\nBDAY:1970-01-01\r\nEND:VCARD\r\n"
                                            "BEGN:VCARD\r\nN:Two;;;;\r\nBDAY:1971-01-01\r\nEND:VCARD\r\n");
    EXPECT_EQ(headless.cards, 2);
    EXPECT_EQ(headless.contacts.GetCount(), 1);
    EXPECT_EQ(headless.incomplete, 1);
    ASSERT_EQ(headless.problems.size(), 1u);
    EXPECT_EQ(headless.problems[0].text.Bytes(), "card 2 was skipped: it has no BEGIN:VCARD");

    for (const std::string& input :
         {std::string(), std::string("\0\0\xFF", 3), std::string(1000, '='), std::string("BEGIN:VCARD"),
          std::string("BEGIN:VCARD\r\n \r\n\t=\r\n")}) {
        const vcard::ReadResult nothing = Read(input);
        EXPECT_TRUE(nothing.contacts.IsEmpty());
    }
}

TEST(VCardReader, RandomMutationsNeverBreakTheReader)
{
    const std::string sample =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:a=0D=0Ab=\r\nc\r\nBDAY:19800305\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:O\\,Brien;Ann;;;\r\nTEL;TYPE=\"a:b\":1\r\n"
        "NOTE:x\\ny\r\n z\r\nBDAY:--0229\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:\xE2\x82\xAC\r\nBDAY:1985-04-12T10:15:00\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:A;B\r\nAGENT:\r\nBEGIN:VCARD\r\nN:C\r\nTEL;PREF:1\r\n"
        "END:VCARD\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-01-01\r\nEND:VCARD\r\n";
    ASSERT_EQ(Read(sample).contacts.GetCount(), 4);
    std::mt19937 random(20261208);
    const char interesting[] = {'\r', '\n', ' ', ':', ';',  '=',    '\\',
                                '"',  '.',  '-', 'T', '\0', '\x80', '\xFF'};
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = sample;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !mutated.empty(); ++e) {
            const std::size_t at = random() % mutated.size();
            const char byte =
                random() % 2 ? interesting[random() % sizeof interesting] : static_cast<char>(random());
            switch (random() % 3) {
            case 0:
                mutated[at] = byte;
                break;
            case 1:
                mutated.insert(at, 1, byte);
                break;
            default:
                mutated.erase(at, 1 + random() % 16);
                break;
            }
        }
        const vcard::ReadResult result = Read(mutated);
        ASSERT_EQ(result.contacts.GetCount() + result.withoutBirthday + result.incomplete, result.cards)
            << "round " << round;
        ASSERT_EQ(result.uids.size(), static_cast<std::size_t>(result.contacts.GetCount()));
        ASSERT_EQ(result.problems.size(), static_cast<std::size_t>(result.withoutBirthday) +
                                              static_cast<std::size_t>(result.incomplete));
        for (const CContact& contact : result.contacts) {
            ASSERT_EQ(contact.m_dtBirthday.GetStatus(), COleDateTime::valid);
            for (const CString* field : {&contact.m_strFirstName, &contact.m_strLastName, &contact.m_strTel,
                                         &contact.m_strEMail, &contact.m_strText})
                ASSERT_TRUE(IsValidUtf8(field->Bytes())) << "round " << round;
        }
    }
}

TEST(VCardReader, Utf16FilesWithAByteOrderMark)
{
    const std::string utf8 =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xC3\xBCller;Ann;;;\r\nBDAY:1980-03-05\r\nEND:VCARD\r\n";
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string little("\xFF\xFE", 2), big("\xFE\xFF", 2);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        little += static_cast<char>(unit & 0xFF);
        little += static_cast<char>(unit >> 8);
        big += static_cast<char>(unit >> 8);
        big += static_cast<char>(unit & 0xFF);
    }
    for (const std::string& input : {little, big}) {
        const vcard::ReadResult result = vcard::ReadCards(input);
        ASSERT_EQ(result.contacts.GetCount(), 1);
        EXPECT_EQ(result.contacts[0].m_strLastName.Bytes(), "M\xC3\xBCller");
    }
}

TEST(VCardReader, FilesJoinedWithCatKeepEveryCard)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::string first =
        bom + "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nBDAY:1980-03-05\r\nEND:VCARD\r\n";
    const std::string second =
        bom + "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bo;;;\r\nBDAY:1990-01-02\r\nEND:VCARD\r\n" +
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Cy;;;\r\nBDAY:1991-01-02\r\nEND:VCARD\r\n";
    // The last file ends without a line end, as some programs write them.
    const std::string third = bom + "begin:vcard\nversion:2.1\nN:Mo;Di\nBDAY:19700101\nEND:VCARD";
    const vcard::ReadResult joined = Read(first + second + third + first);
    EXPECT_EQ(joined.cards, 5);
    ASSERT_EQ(joined.contacts.GetCount(), 5);
    const char* names[] = {"Ann", "Bo", "Cy", "Di", "Ann"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(joined.contacts[i].m_strFirstName.Bytes(), names[i]) << i;
    EXPECT_TRUE(joined.problems.empty());

    // Elsewhere the character stays text: a note may hold one.
    const vcard::ReadResult note =
        Read("BEGIN:VCARD\r\nNOTE:a" + bom + "b\r\nBDAY:1970-01-01\r\nEND:VCARD\r\n");
    ASSERT_EQ(note.contacts.GetCount(), 1);
    EXPECT_EQ(note.contacts[0].m_strText.Bytes(), "a" + bom + "b");
}

// The reader in a child process whose address space may grow by no more than `budget` while
// it reads: a reader that needs more gets std::bad_alloc there.
int ReadUnderMemoryLimit(const std::string& data, std::size_t budget)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        std::size_t pages = 0;
        statm >> pages;
        const rlimit limit{pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + budget, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(10);
        try {
            const vcard::ReadResult result = vcard::ReadCards(data);
            ::_exit(result.contacts.GetCount() == 1 ? 0 : 11);
        } catch (const std::bad_alloc&) {
            ::_exit(12);
        }
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

bool UnderAMemoryTool()
{
#if defined(__SANITIZE_ADDRESS__)
    return true; // its shadow memory needs an unlimited address space
#else
    const char* preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "vgpreload"); // valgrind
#endif
}

TEST(VCardReader, MemoryFollowsTheInputNotItsSemicolons)
{
    if (UnderAMemoryTool())
        GTEST_SKIP() << "an address-space limit does not work under a memory tool";
    constexpr std::size_t kInput = 8U << 20;
    const auto card = [](const std::string& body) {
        return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + body + "BDAY:1980-01-01\r\nEND:VCARD\r\n";
    };
    const auto repeat = [](const std::string& piece) {
        std::string out;
        out.reserve(kInput + piece.size());
        while (out.size() < kInput)
            out += piece;
        return out;
    };
    // Each took hundreds of megabytes, or gigabytes, when every part and line was kept.
    const std::vector<std::pair<const char*, std::string>> inputs = {
        {"N of semicolons", card("N:" + std::string(kInput, ';') + "\r\n")},
        {"ADR of semicolons", card("N:A;B\r\nADR:" + std::string(kInput, ';') + "\r\n")},
        {"parameters", card("N" + std::string(kInput, ';') + ":A;B\r\n")},
        {"many short lines", card("N:A;B\r\n" + repeat("x:\r\n"))},
        {"many notes", card("N:A;B\r\n" + repeat("NOTE:\\\r\n"))},
        {"lines without a colon", card("N:A;B\r\n" + repeat("a\n"))},
    };
    for (const auto& [name, data] : inputs) {
        // The input, a line and a decoded copy or two of it; before, 8 MB of semicolons took 470 MB.
        EXPECT_EQ(ReadUnderMemoryLimit(data, 6 * kInput), 0) << name;
    }
}
