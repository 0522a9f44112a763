// Load and save of a large contact book and an "Add" into a 10 000-contact book, printed
// beside a plain copy of the same file made in the same run.
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

double Ms(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

CContactList Book(int count)
{
    CContactList list;
    for (int i = 0; i < count; ++i) {
        CContact c;
        c.m_strFirstName = FormatString("First%d", i);
        c.m_strLastName = CString("Lastname");
        c.m_strTel = CString("+49 30 1234567");
        c.m_strEMail = FormatString("person%d@example.org", i);
        c.m_strText = CString("a note\r\nof two lines");
        c.m_dtBirthday = COleDateTime(1950 + i % 60, 1 + i % 12, 1 + i % 28, 0, 0, 0);
        list.Add(c);
    }
    return list;
}

} // namespace

int main()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "quillon-bench";
    fs::create_directories(folder);
    const std::string path = (folder / "date.info").string();
    const CContactList big = Book(100000);

    ContactBookFile file{CString(path)};
    auto t = std::chrono::steady_clock::now();
    if (!file.Save(big).ok)
        return 1;
    const double save = Ms(t);
    t = std::chrono::steady_clock::now();
    CContactList loaded;
    file.Load(&loaded);
    const double load = Ms(t);
    t = std::chrono::steady_clock::now();
    const std::string cp = "cp " + path + " " + path + ".copy";
    if (std::system(cp.c_str()) != 0)
        return 1;
    const double copy = Ms(t);

    CContactList ten = Book(10000);
    SortContactsByCalendarDay(ten);
    CContact added = ten.GetAt(5);
    added.m_strFirstName = CString("New");
    t = std::chrono::steady_clock::now();
    bool duplicate = false;
    for (const CContact& c : ten)
        duplicate = duplicate || IsSameContact(c, added);
    if (!duplicate) {
        ten.Add(added);
        SortContactsByCalendarDay(ten);
    }
    const double add = Ms(t);

    std::printf("100000 contacts, %llu bytes\n", static_cast<unsigned long long>(fs::file_size(path)));
    std::printf("save %.1f ms (%.1fx cp), load %.1f ms (%.1fx cp), cp %.1f ms\n", save, save / copy, load,
                load / copy, copy);
    std::printf("add into 10000: %.2f ms\n", add);
    fs::remove_all(folder);
    return 0;
}
