#include "app/VCardCommands.h"

#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "app/ExportCommands.h"
#include "app/VCardInput.h"
#include "app/VCardMerge.h"
#include "data/BookLock.h"
#include "data/ContactBookFile.h"

#include <ostream>

int ExportVCards(const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    return ExportBook(bookPath, out, err,
                      [](const CContactList& contacts) { return vcard::WriteCards(contacts); });
}

int ImportVCards(const std::string& vcfPath, const std::string& bookPath, std::istream& in, std::ostream& out,
                 std::ostream& err)
{
    VCardInput input;
    {
        std::string error;
        if (!ReadVCardInput(vcfPath, in, &input, &error)) {
            err << "quillon: " << error << " Nothing was imported.\n";
            return 1;
        }
    }
    const vcard::ReadResult& cards = input.cards;
    // A file without a card is the wrong file; a folder without one is a new, empty address book.
    if (cards.cards == 0 && !input.folder) {
        err << "quillon: "
            << (vcfPath == "-" ? std::string("the standard input")
                               : "the vCard file " + bookcommands::Quote(vcfPath))
            << " holds no vCard. Nothing was imported.\n";
        return 1;
    }

    // A running copy would write its own list over the import when it ends.
    BookLock lock;
    const BookLock::Result locked = lock.Acquire(CString(bookPath));
    if (locked.outcome == BookLock::Result::Outcome::inUse) {
        err << "quillon: " << locked.message.GetString() << " Close it, then import again.\n";
        return 1;
    }
    if (locked.outcome == BookLock::Result::Outcome::refused) {
        err << "quillon: " << locked.message.GetString() << " Nothing was imported.\n";
        return 1;
    }
    // Without a lock file (a folder we cannot write) the save below says why it fails.

    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error, true)) {
        err << "quillon: " << error << " Nothing was imported; the book was left as it is.\n";
        return 1;
    }

    const MergeOutcome merged = MergeCards(input, contacts);
    if (merged.added > 0) {
        ContactBookFile book{CString(bookPath)};
        const ContactBookFile::SaveResult saved = book.Save(contacts, &lock);
        if (!saved.ok) {
            err << "quillon: " << saved.message.GetString() << " Nothing was imported.\n";
            return 1;
        }
    }

    for (const std::string& line : merged.messages)
        err << "quillon: " + line + ".\n"; // one write a line
    const std::string summary = merged.Summary() + '\n';
    CommandOutput output(out);
    output.Write(summary);
    return output.Finish(err, 0);
}
