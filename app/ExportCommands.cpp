#include "app/ExportCommands.h"

#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "data/BirthdayCalendar.h"
#include "data/ContactBookFormat.h"
#include "data/SafeFile.h"
#include "data/VCard.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

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
    int written = 0;
    int unchanged = 0;
    for (int i = 0; i < contacts.GetCount(); ++i) {
        const std::string& uid = uids[static_cast<std::size_t>(i)];
        const std::string path = folder + '/' + uid + ".vcf";
        const std::string card = vcard::WriteCard(contacts[i], uid);
        if (Holds(path, card)) {
            ++unchanged;
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
    output.Write("Wrote " + contactbook::Counted(written, "card") + " to " + bookcommands::Quote(folder) +
                 ", " + std::to_string(unchanged) + " unchanged.\n");
    return output.Finish(err, 0);
}

int ExportBirthdayCalendar(const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error)) {
        err << "quillon: " << error << " Nothing was exported.\n";
        return 1;
    }
    CommandOutput output(out);
    output.Write(birthdaycalendar::WriteCalendar(contacts, static_cast<std::int64_t>(std::time(nullptr))));
    return output.Finish(err, 0);
}
