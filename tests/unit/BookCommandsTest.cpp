// The command-line printing of a contact book, with the output captured.
#include "app/BookCommands.h"
#include "data/ContactBookFile.h"
#include "tests/support/Contacts.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string_view>

namespace {

using testsupport::MakeContact;

TEST(BookCommands, FieldsAreEscapedOnOneLine)
{
    CContact contact = MakeContact("A\tB", "Lee", 1980, 12, 7);
    contact.m_strText = "x\r\ny\\z";
    EXPECT_EQ(bookcommands::FormatContactLine(contact), "07:12:1980\tA\\tB\tLee\t\t\tx\\r\\ny\\\\z");
}

TEST(BookCommands, EveryControlCharacterAndStrayByteIsEscaped)
{
    using bookcommands::EscapeField;
    // C0 and DEL.
    EXPECT_EQ(EscapeField(std::string_view("\x1B]0;t\x07\0\x7F", 8)), "\\x1b]0;t\\x07\\x00\\x7f");
    // C1 controls written in UTF-8 (U+009B, the one-character CSI), byte by byte.
    EXPECT_EQ(EscapeField("\xC2\x9B"
                          "31m\xC2\x80\xC2\x9F"),
              "\\xc2\\x9b31m\\xc2\\x80\\xc2\\x9f");
    // Printable UTF-8 stays as it is, U+00A0 and beyond.
    EXPECT_EQ(EscapeField("J\xC3\xB6rg \xC2\xA0\xE2\x82\xAC \xF0\x9F\x8E\x82"),
              "J\xC3\xB6rg \xC2\xA0\xE2\x82\xAC \xF0\x9F\x8E\x82");
    // Bytes that are not UTF-8 (a Windows-1252 book, a lone 8-bit CSI, a cut sequence, an
    // overlong form, a surrogate) are shown as the bytes they are.
    EXPECT_EQ(EscapeField("M\xFCller \x9B"
                          "31m \xE2\x82 \xC0\xAF \xED\xA0\x80"),
              "M\\xfcller \\x9b31m \\xe2\\x82 \\xc0\\xaf \\xed\\xa0\\x80");
    EXPECT_EQ(bookcommands::Quote("a\nb\".info"), "\"a\\nb\".info\"");
}

TEST(BookCommands, DatesMustBeRealDays)
{
    EXPECT_TRUE(bookcommands::ParseDate("2028-02-29"));
    EXPECT_FALSE(bookcommands::ParseDate("2027-02-29"));
    EXPECT_FALSE(bookcommands::ParseDate("2026-13-01"));
    EXPECT_FALSE(bookcommands::ParseDate("2026-1-01"));
    EXPECT_FALSE(bookcommands::ParseDate("1900-02-29"));
    EXPECT_FALSE(bookcommands::ParseDate("0000-01-01"));
    EXPECT_FALSE(bookcommands::ParseDate("2026-04-31"));
    const std::optional<CalendarDay> day = bookcommands::ParseDate("0001-12-31");
    ASSERT_TRUE(day);
    EXPECT_EQ(day->year * 10000 + day->month * 100 + day->day, 11231);
}

TEST(BookCommands, ListsAndFindsBirthdaysAndRefusesAMissingBook)
{
    const testsupport::ScratchFolder dir("quillon-bookcommands");
    ASSERT_FALSE(dir.path.empty());
    const std::string path = (dir.path / "date.info").string();
    std::ostringstream out, err;
    EXPECT_NE(bookcommands::ListContacts(path, out, err), 0);
    EXPECT_FALSE(std::filesystem::exists(path)); // never created
    EXPECT_FALSE(err.str().empty());

    CContactList contacts;
    contacts.Add(MakeContact("Ann", "Lee", 1975, 1, 1));
    contacts.Add(MakeContact("Bo", "Lee", 1990, 12, 31));
    ASSERT_TRUE(ContactBookFile(CString(path.c_str())).Save(contacts).ok);
    out.str("");
    EXPECT_EQ(bookcommands::ListContacts(path, out, err), 0);
    EXPECT_EQ(out.str(), "01:01:1975\tAnn\tLee\t\t\t\n31:12:1990\tBo\tLee\t\t\t\n");
    out.str("");
    EXPECT_EQ(bookcommands::PrintBirthdays(path, {2026, 12, 31}, out, err), 0);
    EXPECT_EQ(out.str(), "Today\n31:12:1990\tBo\tLee\t\t\t\nTomorrow\n01:01:1975\tAnn\tLee\t\t\t\n");
}

} // namespace
