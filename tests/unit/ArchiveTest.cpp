#include "platform/framework/CArchive.h"
#include "tests/support/CMemFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Stored(const CString& text)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.PutString(text);
    EXPECT_TRUE(ar.Close());
    return file.Bytes();
}

// Reads one string from the bytes; returns the archive's error.
CArchive::Error LoadString(const Bytes& bytes, CString* text)
{
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    ar.GetString(text);
    return ar.GetError();
}

TEST(ArchiveTest, NumbersAreLittleEndianByteByByte)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.PutInt32(-2);
    ar.PutUInt16(0x1234);
    ar.PutDouble(29285.0);
    ASSERT_TRUE(ar.Close());
    EXPECT_EQ(file.Bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0, 0, 0, 0, 0x40, 0x99, 0xDC, 0x40}));

    CMemFile in(file.Bytes());
    CArchive reader(&in, CArchive::load);
    std::int32_t i = 0;
    std::uint16_t w = 0;
    double d = 0;
    EXPECT_TRUE(reader.GetInt32(&i));
    EXPECT_TRUE(reader.GetUInt16(&w));
    EXPECT_TRUE(reader.GetDouble(&d));
    EXPECT_EQ(i, -2);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(d, 29285.0);
    EXPECT_EQ(reader.GetBytesLeft(), 0);
    EXPECT_FALSE(reader.GetInt32(&i));
    EXPECT_EQ(reader.GetError(), CArchive::Error::endOfFile);
}

TEST(ArchiveTest, LengthPrefixesAtTheirBoundaries)
{
    struct Case
    {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const CString text(std::string(c.length, 'x'));
        const Bytes bytes = Stored(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())),
                  c.prefix);
        CString back;
        EXPECT_EQ(LoadString(bytes, &back), CArchive::Error::none);
        EXPECT_EQ(back, text);
    }
}

TEST(ArchiveTest, LongerPrefixFormsAreAcceptedForShortStrings)
{
    CString text;
    EXPECT_EQ(LoadString({0xFF, 0x02, 0x00, 'h', 'i'}, &text), CArchive::Error::none);
    EXPECT_EQ(text, CString("hi"));
    EXPECT_EQ(LoadString({0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'h', 'i'}, &text), CArchive::Error::none);
    EXPECT_EQ(text, CString("hi"));
}

TEST(ArchiveTest, WideStringsBecomeUtf8)
{
    // "Zoë €" plus U+1F600 as a surrogate pair.
    const Bytes bytes = {0xFF, 0xFE, 0xFF, 0x07, 'Z',  0,    'o',  0,    0xEB,
                         0,    ' ',  0,    0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE};
    CString text;
    EXPECT_EQ(LoadString(bytes, &text), CArchive::Error::none);
    EXPECT_EQ(text.Bytes(), "Zo\xC3\xAB \xE2\x82\xAC\xF0\x9F\x98\x80");

    // The second prefix may itself be long; its 0xFFFE is a length, not another marker.
    Bytes longForm = {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'A', 0};
    EXPECT_EQ(LoadString(longForm, &text), CArchive::Error::none);
    EXPECT_EQ(text, CString("A"));
}

TEST(ArchiveTest, UnpairedSurrogatesBecomeReplacementCharacters)
{
    // A lone high surrogate before 'a', a lone low one, a high one at the very end.
    const Bytes bytes = {0xFF, 0xFE, 0xFF, 0x04, 0x00, 0xD8, 'a', 0, 0x00, 0xDC, 0x01, 0xD8};
    CString text;
    EXPECT_EQ(LoadString(bytes, &text), CArchive::Error::none);
    EXPECT_EQ(text.Bytes(), "\xEF\xBF\xBD"
                            "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ArchiveTest, LengthsBeyondTheDataAreDamageNotAllocations)
{
    CString text("unchanged");
    // 4 GiB - 1 announced, three bytes there.
    EXPECT_EQ(LoadString({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}, &text),
              CArchive::Error::badLength);
    EXPECT_TRUE(text.IsEmpty());
    // A wide count whose byte count (twice the units) outruns the data.
    EXPECT_EQ(LoadString({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, &text),
              CArchive::Error::badLength);
    EXPECT_EQ(LoadString({0x05, 'a', 'b'}, &text), CArchive::Error::badLength);
    // The prefix itself cut short.
    EXPECT_EQ(LoadString({0xFF, 0x10}, &text), CArchive::Error::endOfFile);
    EXPECT_EQ(LoadString({}, &text), CArchive::Error::endOfFile);
}

TEST(ArchiveTest, ErrorsAreStickyAndLaterReadsFail)
{
    CMemFile file(Bytes{0x09, 'a', 1, 2, 3, 4});
    CArchive ar(&file, CArchive::load);
    CString text;
    EXPECT_FALSE(ar.GetString(&text));
    std::int32_t value = 7;
    EXPECT_FALSE(ar.GetInt32(&value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ar.GetError(), CArchive::Error::badLength);
}

TEST(ArchiveTest, ValuesAcrossTheBufferBoundaryRoundTrip)
{
    // A tiny buffer makes every value straddle a refill.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 16);
        for (int i = 0; i < 100; ++i) {
            ar.PutInt32(i * 1000003);
            ar.PutString(CString(std::string(static_cast<std::size_t>(i), static_cast<char>('a' + i % 26))));
        }
        ASSERT_TRUE(ar.Close());
    }
    CMemFile in(file.Bytes());
    CArchive ar(&in, CArchive::load, 16);
    for (int i = 0; i < 100; ++i) {
        std::int32_t value = 0;
        CString text;
        ASSERT_TRUE(ar.GetInt32(&value));
        ASSERT_TRUE(ar.GetString(&text));
        EXPECT_EQ(value, i * 1000003);
        EXPECT_EQ(text.GetLength(), i);
    }
    EXPECT_EQ(ar.GetBytesLeft(), 0);
}

} // namespace
