#include "data/ContactBookFormat.h"
#include "tests/support/CMemFile.h"

#include <cstddef>
#include <cstdint>

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
