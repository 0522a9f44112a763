#include "platform/system/SystemSource.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <utility>

namespace platform {

namespace {
// Enough for the first processor's block of /proc/cpuinfo and any os-release file.
constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024;

const SystemSource*& Override()
{
    static const SystemSource* source = nullptr;
    return source;
}
} // namespace

std::string ReadTextFile(const char* path, std::size_t maxBytes)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    char buffer[4096];
    while (text.size() < maxBytes) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, std::min(static_cast<std::size_t>(got), maxBytes - text.size()));
    }
    ::close(fd);
    return text;
}

std::optional<KernelIdentity> RealSystemSource::Uname() const
{
    struct utsname names
    {
    };
    if (::uname(&names) != 0)
        return std::nullopt;
    return KernelIdentity{names.sysname, names.release, names.version, names.machine};
}

std::string RealSystemSource::OsReleaseText() const
{
    std::string text = ReadTextFile("/etc/os-release", kMaxFileBytes);
    if (text.empty())
        text = ReadTextFile("/usr/lib/os-release", kMaxFileBytes);
    return text;
}

std::string RealSystemSource::CpuInfoText() const
{
    return ReadTextFile("/proc/cpuinfo", kMaxFileBytes);
}

long RealSystemSource::OnlineProcessorCount() const
{
    return ::sysconf(_SC_NPROCESSORS_ONLN);
}

long RealSystemSource::PageSize() const
{
    return ::sysconf(_SC_PAGESIZE);
}

const SystemSource& CurrentSystemSource()
{
    static const RealSystemSource real;
    if (const SystemSource* source = Override())
        return *source;
    return real;
}

const SystemSource* SetSystemSourceForTesting(const SystemSource* source)
{
    return std::exchange(Override(), source);
}

} // namespace platform
