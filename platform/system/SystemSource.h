#pragma once

#include <optional>
#include <string>

namespace platform {

// What uname reports.
struct KernelIdentity
{
    std::string sysname; // "Linux"
    std::string release; // "6.1.0-18-amd64"
    std::string version; // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"
    std::string machine; // "x86_64"
};

// Where the version and processor queries get their facts. The real source asks the running
// system; tests install one that feeds chosen facts.
class SystemSource
{
public:
    virtual ~SystemSource() = default;
    virtual std::optional<KernelIdentity> Uname() const = 0;
    virtual std::string OsReleaseText() const = 0; // empty when there is none
    virtual std::string CpuInfoText() const = 0;   // empty when there is none
    virtual long OnlineProcessorCount() const = 0;
    virtual long PageSize() const = 0;
};

// uname(2), /etc/os-release (else /usr/lib/os-release), /proc/cpuinfo and sysconf(3).
class RealSystemSource : public SystemSource
{
public:
    std::optional<KernelIdentity> Uname() const override;
    std::string OsReleaseText() const override;
    std::string CpuInfoText() const override;
    long OnlineProcessorCount() const override;
    long PageSize() const override;
};

// The file's first maxBytes bytes; empty when it can't be read. Files under /proc report a
// size of 0, so this reads until the end rather than trusting the size.
std::string ReadTextFile(const char* path, std::size_t maxBytes);

const SystemSource& CurrentSystemSource();
// Null puts the real source back. The caller keeps ownership. Returns the source it replaces.
const SystemSource* SetSystemSourceForTesting(const SystemSource* source);

} // namespace platform
