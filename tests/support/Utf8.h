#pragma once

#include <string>

namespace testsupport {

// Whether the bytes are valid UTF-8, read sequence by sequence as the vCard reader reads them:
// Qt's decoder would drop a leading byte order mark, which is valid text.
bool IsValidUtf8(const std::string& bytes);

} // namespace testsupport
