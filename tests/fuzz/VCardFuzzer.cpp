#include "data/VCard.h"
#include "tests/support/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

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
            if (!testsupport::IsValidUtf8(field->Bytes()))
                __builtin_trap();
    }
    return 0;
}
