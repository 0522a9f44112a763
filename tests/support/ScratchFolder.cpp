#include "tests/support/ScratchFolder.h"

#include <stdlib.h>

namespace testsupport {

namespace {
std::filesystem::path MakeFolder(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
}
} // namespace

ScratchFolder::ScratchFolder(const std::string& prefix) : path(MakeFolder(prefix)) {}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!path.empty())
        std::filesystem::remove_all(path, ignored);
}

} // namespace testsupport
