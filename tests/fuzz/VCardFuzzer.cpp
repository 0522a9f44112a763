#include "data/VCard.h"
#include "data/VCardText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {
// Byte by byte: Qt's decoder would drop a leading byte order mark, which is valid text.
bool IsValidUtf8(const std::string& bytes)
{
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = vcard::text::Utf8SequenceLength(bytes, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}
} // namespace

// Any bytes read without a crash or a leak; every card is either a contact or skipped with a
// reason, and every contact has a valid birthday and UTF-8 texts.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const vcard::ReadResult result =
        vcard::ReadCards(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.contacts.GetCount() + result.withoutBirthday + result.incomplete != result.cards ||
        result.problems.size() !=
            static_cast<std::size_t>(result.withoutBirthday) + static_cast<std::size_t>(result.incomplete))
        __builtin_trap();
    for (const CContact& contact : result.contacts) {
        if (contact.m_dtBirthday.GetStatus() != COleDateTime::valid)
            __builtin_trap();
        for (const CString* field : {&contact.m_strFirstName, &contact.m_strLastName, &contact.m_strTel,
                                     &contact.m_strEMail, &contact.m_strText})
            if (!IsValidUtf8(field->Bytes()))
                __builtin_trap();
    }
    return 0;
}
