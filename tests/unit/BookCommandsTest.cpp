// The command-line printing of a contact book, with the output captured.
#include "app/BookCommands.h"
#include "data/ContactBookFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

CContact Person(const char* first, int year, int month, int day)
{
    CContact contact;
    contact.m_strFirstName = first;
    contact.m_strLastName = "Lee";
    contact.m_dtBirthday = COleDateTime(year, month, day, 0, 0, 0);
    return contact;
}

TEST(BookCommands, FieldsAreEscapedOnOneLine)
{
    CContact contact = Person("A\tB", 1980, 12, 7);
    contact.m_strText = "x\r\ny\\z";
    EXPECT_EQ(bookcommands::FormatContactLine(contact), "07:12:1980\tA\\tB\tLee\t\t\tx\\r\\ny\\\\z");
}

TEST(BookCommands, DatesMustBeRealDays)
{
    EXPECT_TRUE(bookcommands::ParseDate("2028-02-29"));
    EXPECT_FALSE(bookcommands::ParseDate("2027-02-29"));
    EXPECT_FALSE(bookcommands::ParseDate("2026-13-01"));
    EXPECT_FALSE(bookcommands::ParseDate("2026-1-01"));
}

TEST(BookCommands, ListsAndFindsBirthdaysAndRefusesAMissingBook)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillon-bookcommands";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "date.info").string();
    std::ostringstream out, err;
    EXPECT_NE(bookcommands::ListContacts(path, out, err), 0);
    EXPECT_FALSE(std::filesystem::exists(path)); // never created
    EXPECT_FALSE(err.str().empty());

    CContactList contacts;
    contacts.Add(Person("Ann", 1975, 1, 1));
    contacts.Add(Person("Bo", 1990, 12, 31));
    ASSERT_TRUE(ContactBookFile(CString(path.c_str())).Save(contacts).ok);
    out.str("");
    EXPECT_EQ(bookcommands::ListContacts(path, out, err), 0);
    EXPECT_EQ(out.str(), "01:01:1975\tAnn\tLee\t\t\t\n31:12:1990\tBo\tLee\t\t\t\n");
    out.str("");
    EXPECT_EQ(bookcommands::PrintBirthdays(path, {2026, 12, 31}, out, err), 0);
    EXPECT_EQ(out.str(), "Today\n31:12:1990\tBo\tLee\t\t\t\nTomorrow\n01:01:1975\tAnn\tLee\t\t\t\n");
    std::filesystem::remove_all(dir);
}

} // namespace
