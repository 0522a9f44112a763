#include "app/ExportCommands.h"

#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "app/VCardInput.h"
#include "data/BirthdayCalendar.h"
#include "data/ContactBookFormat.h"
#include "data/NotebookRules.h"
#include "data/SafeFile.h"
#include "data/VCard.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

// Whether path is a regular file holding exactly bytes; false for a missing file.
bool Holds(const std::string& path, const std::string& bytes)
{
    mode_t mode = 0;
    const int fd = OpenRegularFile(path, false, &mode);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    bool same = ::fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) == bytes.size();
    std::string data(same ? bytes.size() : 0, '\0');
    for (std::size_t done = 0; same && done < data.size();) {
        const ssize_t got = ::read(fd, data.data() + done, data.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        same = got > 0;
        done += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    ::close(fd);
    return same && data == bytes;
}

// The folder to write to, made private to its owner when missing.
bool PrepareFolder(const std::string& folder, std::string* error)
{
    struct stat st
    {
    };
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        *error = "the vCard folder " + bookcommands::Quote(folder) + " is not a folder.";
        return false;
    }
    if (errno == ENOENT && ::mkdir(folder.c_str(), 0700) == 0)
        return true;
    *error =
        "cannot create the vCard folder " + bookcommands::Quote(folder) + ": " + std::strerror(errno) + '.';
    return false;
}

bool WriteCardFile(const std::string& path, const std::string& card, std::string* error)
{
    AtomicFile file(path);
    bool ok = file.Create();
    if (ok)
        ok = file.Commit(file.File().Write(card.data(), card.size()));
    if (!ok)
        *error = "the card file " + bookcommands::Quote(path) +
                 " could not be written: " + std::strerror(file.Error()) + '.';
    return ok;
}

std::string Name(const CContact& contact)
{
    std::string name = contact.m_strFirstName.Bytes();
    if (!name.empty() && !contact.m_strLastName.IsEmpty())
        name += ' ';
    return bookcommands::EscapeField(name + contact.m_strLastName.Bytes());
}

} // namespace

int ExportVdir(const std::string& folder, const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error) || !PrepareFolder(folder, &error)) {
        err << "quillon: " << error << " Nothing was exported.\n";
        return 1;
    }
    const std::vector<std::string> uids = vcard::ContactUids(contacts);
    // Cards that came from elsewhere (a phone's, through the server) keep the UIDs they were
    // made with. A contact imported from one is not written again under its own UID, which
    // would give the server a second copy, nor over it, which would drop what the book does
    // not keep (addresses, photos): its card is left as it is.
    VCardInput present;
    if (!ReadVCardFolder(folder, &present, &error)) {
        err << "quillon: " << error << " Nothing was exported.\n";
        return 1;
    }
    const std::unordered_set<std::string> ours(uids.begin(), uids.end());
    std::unordered_map<std::string, std::vector<int>> others; // by the UID their names and birthday give
    for (int j = 0; j < present.cards.contacts.GetCount(); ++j)
        if (ours.count(present.cards.uids[static_cast<std::size_t>(j)]) == 0)
            others[vcard::ContactUid(present.cards.contacts[j])].push_back(j);
    int written = 0;
    int unchanged = 0;
    int elsewhere = 0;
    for (int i = 0; i < contacts.GetCount(); ++i) {
        const std::string& uid = uids[static_cast<std::size_t>(i)];
        std::string path = folder;
        path.append(1, '/').append(uid).append(".vcf");
        const std::string card = vcard::WriteCard(contacts[i], uid);
        if (Holds(path, card)) {
            ++unchanged;
            continue;
        }
        if (const auto other = others.find(vcard::ContactUid(contacts[i]));
            other != others.end() && !other->second.empty() && ::access(path.c_str(), F_OK) != 0) {
            const int j = other->second.front();
            other->second.erase(other->second.begin());
            ++elsewhere;
            if (!IsSameContact(present.cards.contacts[j], contacts[i]))
                err << "quillon: " << present.Source(j) << " holds " << Name(contacts[i])
                    << " as another program wrote the card, which differs from the book; it was left as it "
                       "is.\n";
            continue;
        }
        struct stat st
        {
        };
        if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            error = bookcommands::Quote(path) + " is in the way: it is not a regular file.";
        if (!error.empty() || !WriteCardFile(path, card, &error)) {
            err << "quillon: " << error << ' ' << written << " of "
                << contactbook::Counted(contacts.GetCount(), "card")
                << " were written before it, the rest were not.\n";
            return 1;
        }
        ++written;
    }
    CommandOutput output(out);
    std::string summary = "Wrote " + contactbook::Counted(written, "card") + " to " +
                          bookcommands::Quote(folder) + ", " + std::to_string(unchanged) + " unchanged";
    if (elsewhere > 0)
        summary += ", " + std::to_string(elsewhere) + " there already as another program wrote them";
    output.Write(summary + ".\n");
    return output.Finish(err, 0);
}

int ExportBook(const std::string& bookPath, std::ostream& out, std::ostream& err,
               const std::function<std::string(const CContactList&)>& write)
{
    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error)) {
        err << "quillon: " << error << " Nothing was exported.\n";
        return 1;
    }
    CommandOutput output(out);
    output.Write(write(contacts));
    return output.Finish(err, 0);
}

int ExportBirthdayCalendar(const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    return ExportBook(bookPath, out, err, [](const CContactList& contacts) {
        return birthdaycalendar::WriteCalendar(contacts, static_cast<std::int64_t>(std::time(nullptr)));
    });
}
