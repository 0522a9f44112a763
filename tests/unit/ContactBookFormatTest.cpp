#include "data/ContactBookFormat.h"
#include "tests/support/CMemFile.h"
#include "tests/support/Contacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using contactbook::ReadResult;

const Bytes kAnnLee = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                       0x00, 0x00, 0x40, 0x99, 0xDC, 0x40, 0x00, 0x03, 0x41, 0x6E,
                       0x6E, 0x03, 0x4C, 0x65, 0x65, 0x03, 0x31, 0x32, 0x33, 0x00};

CContact AnnLee()
{
    CContact c = testsupport::MakeContact("Ann", "Lee", 1980, 3, 5);
    c.m_strTel = CString("123");
    return c;
}

Bytes Written(const CContactList& list)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    contactbook::WriteContactBook(ar, list);
    EXPECT_TRUE(ar.Close());
    return file.Bytes();
}

ReadResult Read(const Bytes& bytes, CContactList* list)
{
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    return contactbook::ReadContactBook(ar, list);
}

void ExpectSame(const CContact& a, const CContact& b)
{
    EXPECT_EQ(a.m_strText, b.m_strText);
    EXPECT_EQ(a.m_strFirstName, b.m_strFirstName);
    EXPECT_EQ(a.m_strLastName, b.m_strLastName);
    EXPECT_EQ(a.m_strTel, b.m_strTel);
    EXPECT_EQ(a.m_strEMail, b.m_strEMail);
    EXPECT_EQ(a.m_dtBirthday.GetStatus(), b.m_dtBirthday.GetStatus());
    EXPECT_EQ(a.m_dtBirthday.m_dt, b.m_dtBirthday.m_dt);
}

TEST(ContactBookFormatTest, WorkedExampleBothWays)
{
    CContactList list;
    list.Add(AnnLee());
    EXPECT_EQ(Written(list), kAnnLee);

    CContactList back;
    const ReadResult result = Read(kAnnLee, &back);
    EXPECT_FALSE(result.IsDamaged());
    ASSERT_EQ(back.GetCount(), 1);
    ExpectSame(back.GetAt(0), AnnLee());
}

TEST(ContactBookFormatTest, EmptyBooks)
{
    EXPECT_EQ(Written(CContactList()), (Bytes{0, 0, 0, 0}));
    for (const Bytes& bytes :
         {Bytes{}, Bytes{0, 0, 0, 0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0, 0, 0, 0x80, 1, 2}}) {
        CContactList list;
        const ReadResult result = Read(bytes, &list);
        EXPECT_FALSE(result.IsDamaged()) << result.Describe().GetString();
        EXPECT_TRUE(list.IsEmpty());
    }
}

TEST(ContactBookFormatTest, FieldsSurviveARoundTripInFileOrder)
{
    CContactList list;
    CContact full{CString("line one\r\nline two\r\n"),
                  CString("J\xC3\xBCrgen"),
                  CString("M"),
                  CString("+49 1"),
                  CString("j@example.org"),
                  COleDateTime(1975, 9, 9, 17, 45, 30)};
    list.Add(full);
    list.Add(CContact{}); // five empty texts
    CContact odd = AnnLee();
    odd.m_strTel = CString(std::string("\xFF\xFE\x00 not UTF-8", 13));
    odd.m_dtBirthday = COleDateTime(0.0, COleDateTime::null);
    list.Add(odd);

    const Bytes bytes = Written(list);
    // The note is written last in its record, with its CR LF bytes.
    const Bytes crlf = {'\r', '\n'};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), crlf.begin(), crlf.end()), bytes.end());

    CContactList back;
    EXPECT_FALSE(Read(bytes, &back).IsDamaged());
    ASSERT_EQ(back.GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectSame(back.GetAt(i), list.GetAt(i));
    EXPECT_EQ(back.GetAt(0).m_dtBirthday.GetMinute(), 45);
}

TEST(ContactBookFormatTest, BytesAfterTheLastRecordAreIgnored)
{
    Bytes bytes = kAnnLee;
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    CContactList list;
    EXPECT_FALSE(Read(bytes, &list).IsDamaged());
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(ContactBookFormatTest, UnknownStatusReadsAsInvalid)
{
    Bytes bytes = kAnnLee;
    bytes[4] = 0x07;
    CContactList list;
    EXPECT_FALSE(Read(bytes, &list).IsDamaged());
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0).m_dtBirthday.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(list.GetAt(0).m_dtBirthday.GetDay(), -1);
}

TEST(ContactBookFormatTest, EveryCutKeepsTheContactsBeforeIt)
{
    CContactList list;
    for (int i = 0; i < 3; ++i) {
        CContact c = AnnLee();
        c.m_strText = CString(std::string(static_cast<std::size_t>(i * 3), 'n'));
        list.Add(c);
    }
    const Bytes bytes = Written(list);
    // Where each record ends.
    std::vector<std::size_t> ends;
    std::size_t offset = 4;
    for (int i = 0; i < 3; ++i) {
        offset += 4 + 8 + 1 + 4 + 4 + 4 + 1 + static_cast<std::size_t>(i * 3);
        ends.push_back(offset);
    }
    ASSERT_EQ(ends.back(), bytes.size());

    for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        CContactList back;
        const ReadResult result =
            Read(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)), &back);
        const int whole = static_cast<int>(
            std::count_if(ends.begin(), ends.end(), [&](std::size_t e) { return e <= cut; }));
        EXPECT_TRUE(result.IsDamaged());
        EXPECT_FALSE(result.Describe().IsEmpty());
        EXPECT_EQ(back.GetCount(), whole);
        EXPECT_EQ(result.contactsRead, whole);
        for (int i = 0; i < whole; ++i)
            ExpectSame(back.GetAt(i), list.GetAt(i));
    }
}

TEST(ContactBookFormatTest, CountLargerThanTheFileCanHold)
{
    Bytes bytes = kAnnLee;
    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    bytes[2] = 0xFF;
    bytes[3] = 0x7F; // two billion contacts announced, one there
    CContactList list;
    const ReadResult result = Read(bytes, &list);
    EXPECT_EQ(result.damage, ReadResult::Damage::countTooLarge);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_LT(list.GetCapacity(), 16u);

    bytes[0] = 2;
    bytes[1] = bytes[2] = bytes[3] = 0; // two announced, 26 bytes of records: room for one only
    CContactList two;
    EXPECT_EQ(Read(bytes, &two).damage, ReadResult::Damage::countTooLarge);
    EXPECT_EQ(two.GetCount(), 1);
}

TEST(ContactBookFormatTest, AbsurdStringLengthInTheSecondRecord)
{
    CContactList list;
    list.Add(AnnLee());
    list.Add(AnnLee());
    Bytes bytes = Written(list);
    // The second record's e-mail prefix sits after its status and date.
    const std::size_t second = 4 + 26 + 12;
    ASSERT_EQ(bytes[second], 0x00);
    bytes[second] = 0xFF;
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(second) + 1,
                 {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
    CContactList back;
    const ReadResult result = Read(bytes, &back);
    EXPECT_EQ(result.damage, ReadResult::Damage::badLength);
    EXPECT_EQ(back.GetCount(), 1);
    EXPECT_EQ(result.damageAt, 30u);
}

} // namespace
