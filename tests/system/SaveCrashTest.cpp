// Kills a process with SIGKILL at random moments while it saves a large contact book, many
// times, and checks after each kill that the book on disk is whole: byte for byte the old book
// or the new one, never a mix, never a temporary file in its place.
//
//   save_crash_test <folder> [kills] [seconds]   the test; <folder> is made empty first
//   save_crash_test --save <folder>              the victim: loads the old book, saves the new
#include "data/CContactList.h"
#include "data/ContactBookFile.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kContacts = 100000;

// A distinct, reproducible book; `generation` changes every field so old and new differ
// throughout the file, not only at its end.
CContactList MakeBook(int generation)
{
    CContactList list;
    for (int i = 0; i < kContacts; ++i) {
        CContact c;
        c.m_strFirstName.Format("First%d-%d", generation, i);
        c.m_strLastName.Format("Lastname number %d of book %d", i, generation);
        c.m_strTel.Format("+49 30 %07d", (i * 7 + generation) % 10000000);
        c.m_strEMail.Format("person%d.gen%d@example.org", i, generation);
        c.m_strText.Format("Note %d\r\nsecond line of generation %d", i, generation);
        c.m_dtBirthday = COleDateTime(1950 + (i + generation) % 60, 1 + i % 12, 1 + i % 28, 0, 0, 0);
        list.Add(c);
    }
    return list;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The victim. Tells the parent through `ready` (one byte) just before the save starts.
int RunSave(const fs::path& folder, int readyFd)
{
    const CContactList book = MakeBook(2);
    ContactBookFile file(CString((folder / "date.info").string()));
    CContactList loaded;
    if (!file.Load(&loaded).IsLoaded() || loaded.GetCount() != kContacts) {
        std::fprintf(stderr, "the old book did not load\n");
        return 2;
    }
    if (readyFd >= 0 && ::write(readyFd, "s", 1) != 1)
        return 2;
    const ContactBookFile::SaveResult result = file.Save(book);
    if (!result.ok)
        std::fprintf(stderr, "%s\n", result.message.GetString());
    return result.ok ? 0 : 1;
}

struct Run
{
    bool killed = false; // false: the save ended before the signal was sent
    bool exitedOk = false;
    Clock::time_point saveStarted; // when the victim said it starts the save
};

// Starts the victim, waits for it to begin the save, waits `delay`, and kills it.
Run StartAndKill(const char* self, const fs::path& folder, std::chrono::microseconds delay, bool kill)
{
    int ready[2];
    if (::pipe(ready) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        ::execl(self, self, "--save", folder.c_str(), fd.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    Run run;
    run.saveStarted = Clock::now();
    if (started && kill) {
        std::this_thread::sleep_for(delay);
        int status = 0;
        // Only a child that is still running counts as killed mid-save.
        run.killed = ::waitpid(child, &status, WNOHANG) == 0 && ::kill(child, SIGKILL) == 0;
        if (!run.killed) {
            run.exitedOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            return run;
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    run.exitedOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void ResetFolder(const fs::path& folder, const fs::path& oldBook)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != "old.book" && entry.path().filename() != "new.book")
            fs::remove(entry.path());
    fs::copy_file(oldBook, folder / "date.info");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--save")
        return RunSave(argv[2], argc >= 4 ? std::atoi(argv[3]) : -1);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [kills] [seconds]\n", argv[0]);
        return 2;
    }
    const fs::path folder = fs::absolute(argv[1]);
    const int wantedKills = argc >= 3 ? std::atoi(argv[2]) : 200;
    const double budget = argc >= 4 ? std::atof(argv[3]) : 60.0;
    fs::remove_all(folder);
    fs::create_directories(folder);

    // The reference books, written by the same save path.
    const fs::path oldBook = folder / "old.book", newBook = folder / "new.book";
    if (!ContactBookFile(CString(oldBook.string())).Save(MakeBook(1)).ok ||
        !ContactBookFile(CString(newBook.string())).Save(MakeBook(2)).ok) {
        std::fprintf(stderr, "cannot write the reference books\n");
        return 2;
    }
    const std::string oldBytes = ReadAll(oldBook), newBytes = ReadAll(newBook);
    std::printf("old book %zu bytes, new book %zu bytes, %d contacts each\n", oldBytes.size(),
                newBytes.size(), kContacts);

    // One save's duration, from the ready signal to the end of the process, unkilled.
    auto longest = Clock::duration::zero();
    for (int i = 0; i < 3; ++i) {
        ResetFolder(folder, oldBook);
        const Run run = StartAndKill(argv[0], folder, {}, false);
        longest = std::max(longest, Clock::now() - run.saveStarted);
        if (!run.exitedOk || ReadAll(folder / "date.info") != newBytes) {
            std::fprintf(stderr, "an unkilled save did not produce the new book\n");
            return 1;
        }
    }
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(longest);
    std::printf("one save takes at most %lld ms\n", static_cast<long long>(span.count() / 1000));

    std::mt19937 random(std::random_device{}());
    // The ready byte comes after the load, so these delays spread the kills over the save.
    std::uniform_int_distribution<long long> pick(0, span.count());
    int kills = 0, finished = 0, oldCount = 0, newCount = 0, other = 0, tempFiles = 0;
    const auto deadline = Clock::now() + std::chrono::duration<double>(budget);
    while (kills < wantedKills && Clock::now() < deadline) {
        ResetFolder(folder, oldBook);
        const Run run = StartAndKill(argv[0], folder, std::chrono::microseconds(pick(random)), true);
        if (run.killed)
            ++kills;
        else
            ++finished;
        const std::string now = ReadAll(folder / "date.info");
        if (now == oldBytes) {
            ++oldCount;
        } else if (now == newBytes) {
            ++newCount;
        } else {
            ++other;
            std::fprintf(stderr, "run %d: date.info is neither book (%zu bytes)\n", kills + finished,
                         now.size());
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(".date.info.tmp-", 0) == 0)
                ++tempFiles;
            else if (name != "date.info" && name != "old.book" && name != "new.book") {
                ++other;
                std::fprintf(stderr, "unexpected file %s\n", name.c_str());
            }
        }
        if (!run.killed && !run.exitedOk) {
            ++other;
            std::fprintf(stderr, "an unkilled save failed\n");
        }
    }
    std::printf("kills %d (plus %d saves that finished first): old %d, new %d, other %d; "
                "temporary files left %d\n",
                kills, finished, oldCount, newCount, other, tempFiles);
    fs::remove_all(folder);
    if (other != 0)
        return 1;
    // A handful of kills proves nothing; the budget is generous for the intended count.
    if (kills < std::min(wantedKills, 50)) {
        std::fprintf(stderr, "too few kills landed within the time budget\n");
        return 1;
    }
    return 0;
}
