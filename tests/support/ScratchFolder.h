#pragma once

// Files for tests that read and write real ones: a private folder of their own, gone with
// everything in it when the test ends, and a whole file read back as bytes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary one, made private (mode 0700) by mkdtemp.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empty when the folder could not be made: a test asserts it is not.
    const std::filesystem::path path;
};

// The whole file as bytes (std::string or a vector of bytes); empty when it cannot be read.
template <class Bytes = std::string> Bytes ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace testsupport
