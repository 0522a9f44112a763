#include "data/ContactBookFormat.h"
#include "platform/framework/CMemFile.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

// Any bytes must read without a crash, a leak or an allocation the data cannot back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load);
    CContactList contacts;
    const contactbook::ReadResult result = contactbook::ReadContactBook(ar, &contacts);
    if (result.contactsRead != contacts.GetCount())
        __builtin_trap();
    (void)result.Describe();
    return 0;
}

#ifndef QUILLON_LIBFUZZER
// Without libFuzzer: run each file named on the command line once.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    return 0;
}
#endif
