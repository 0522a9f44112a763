#include "app/VCardInput.h"

#include "app/BookCommands.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No address book comes near this; anything larger is refused before it is read.
constexpr std::size_t kMostVCardBytes = std::size_t{256} << 20;

std::string TooLarge(const std::string& name)
{
    return name + " is larger than 256 MiB, far more than any address book; it was not read.";
}

bool ReadWhole(const std::string& path, std::istream& in, std::string* data, std::string* error)
{
    char buffer[65536];
    if (path == "-") {
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            if (data->size() + static_cast<std::size_t>(in.gcount()) > kMostVCardBytes) {
                *error = TooLarge("the standard input");
                return false;
            }
            data->append(buffer, static_cast<std::size_t>(in.gcount()));
        }
        if (in.bad()) {
            *error = std::string("the standard input could not be read: ") + std::strerror(errno) + '.';
            return false;
        }
        return true;
    }
    const int fd = bookcommands::OpenRegularFile(path, "the vCard file", *error);
    if (fd < 0) {
        if (errno == EINVAL) // a pipe, for one, is read as standard input
            *error += " Give - as the file to read standard input.";
        return false;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) > kMostVCardBytes) {
        ::close(fd);
        *error = TooLarge("the vCard file " + bookcommands::Quote(path));
        return false;
    }
    data->reserve(static_cast<std::size_t>(st.st_size));
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = "the vCard file " + bookcommands::Quote(path) +
                     " could not be read: " + std::strerror(errno) + '.';
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        if (data->size() + static_cast<std::size_t>(got) > kMostVCardBytes) { // it grew meanwhile
            ::close(fd);
            *error = TooLarge("the vCard file " + bookcommands::Quote(path));
            return false;
        }
        data->append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

bool IsVCardFileName(std::string_view name)
{
    if (name.empty() || name[0] == '.' || name.size() <= 4) // hidden ones are other programs' temporaries
        return false;
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vcf";
}

} // namespace

std::string VCardInput::Source(int contact) const
{
    const std::string& path = paths[static_cast<std::size_t>(contact)];
    return path == "-" ? std::string("the standard input") : bookcommands::Quote(path);
}

namespace {

void Merge(vcard::ReadResult&& one, const std::string& path, VCardInput* input)
{
    vcard::ReadResult& all = input->cards;
    for (vcard::Problem& problem : one.problems) {
        problem.text = CString(bookcommands::Quote(path) + ": ") + problem.text;
        all.problems.push_back(std::move(problem));
    }
    for (int i = 0; i < one.contacts.GetCount(); ++i) {
        all.contacts.Add(std::move(one.contacts[i]));
        all.uids.push_back(std::move(one.uids[static_cast<std::size_t>(i)]));
        input->paths.push_back(path);
    }
    all.cards += one.cards;
    all.withoutBirthday += one.withoutBirthday;
    all.incomplete += one.incomplete;
}

} // namespace

bool ReadVCardFolder(const std::string& folder, VCardInput* input, std::string* error)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        *error =
            "cannot read the vCard folder " + bookcommands::Quote(folder) + ": " + std::strerror(errno) + '.';
        return false;
    }
    std::vector<std::string> names;
    // One thread reads this stream; readdir_r is the deprecated one.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsVCardFileName(entry->d_name))
            continue;
        struct stat st
        {
        };
        const bool folderInside =
            entry->d_type == DT_DIR ||
            ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
             ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
        if (!folderInside) // the cards of an address book are its files, not what its folders hold
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    std::size_t total = 0;
    for (const std::string& name : names) {
        std::string path = folder;
        path.append(1, '/').append(name);
        std::string data;
        if (!ReadWhole(path, std::cin, &data, error))
            return false;
        total += data.size();
        if (total > kMostVCardBytes) {
            *error = TooLarge("the vCard folder " + bookcommands::Quote(folder));
            return false;
        }
        Merge(vcard::ReadCards(data), path, input);
    }
    return true;
}

bool ReadVCardInput(const std::string& vcfPath, std::istream& in, VCardInput* input, std::string* error)
{
    struct stat st
    {
    };
    input->folder = vcfPath != "-" && ::stat(vcfPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (input->folder)
        return ReadVCardFolder(vcfPath, input, error);
    std::string data;
    if (!ReadWhole(vcfPath, in, &data, error))
        return false;
    input->cards = vcard::ReadCards(data);
    input->paths.assign(static_cast<std::size_t>(input->cards.contacts.GetCount()), vcfPath);
    return true;
}
