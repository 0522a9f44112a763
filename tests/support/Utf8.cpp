#include "tests/support/Utf8.h"
#include "data/VCardText.h"

namespace testsupport {

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

} // namespace testsupport
