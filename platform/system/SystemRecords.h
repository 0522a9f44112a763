#pragma once

#include "platform/framework/AfxWin.h"

#include <cstdint>

// The version and processor records as the program's system queries fill them. BOOL and
// DWORD come with the framework's own types.
static_assert(sizeof(DWORD) == 4);
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using CHAR = char;
using DWORD_PTR = std::uintptr_t;

// The record's platform: its version numbers are a Linux kernel's.
inline constexpr DWORD VER_PLATFORM_LINUX = 0x4C4E5800;

enum ProcessorArchitecture : WORD
{
    PROCESSOR_ARCHITECTURE_INTEL = 0,
    PROCESSOR_ARCHITECTURE_MIPS = 1,
    PROCESSOR_ARCHITECTURE_ALPHA = 2,
    PROCESSOR_ARCHITECTURE_PPC = 3,
    PROCESSOR_ARCHITECTURE_ARM = 5,
    PROCESSOR_ARCHITECTURE_IA64 = 6,
    PROCESSOR_ARCHITECTURE_ALPHA64 = 7,
    PROCESSOR_ARCHITECTURE_AMD64 = 9,
    PROCESSOR_ARCHITECTURE_ARM64 = 12,
    PROCESSOR_ARCHITECTURE_UNKNOWN = 0xFFFF,
};

enum ProcessorType : DWORD
{
    PROCESSOR_INTEL_386 = 386,
    PROCESSOR_INTEL_486 = 486,
    PROCESSOR_INTEL_PENTIUM = 586,
    PROCESSOR_AMD_X8664 = 8664,
};

struct OSVERSIONINFOEXA
{
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "the extended record is 156 bytes");

// The size of the basic record: the fields up to and including szCSDVersion.
constexpr DWORD kOsVersionInfoBasicSize = 148;

struct SYSTEM_INFO
{
    WORD wProcessorArchitecture;
    WORD wReserved;
    DWORD dwPageSize;
    void* lpMinimumApplicationAddress;
    void* lpMaximumApplicationAddress;
    DWORD_PTR dwActiveProcessorMask;
    DWORD dwNumberOfProcessors;
    DWORD dwProcessorType;
    DWORD dwAllocationGranularity;
    WORD wProcessorLevel;
    WORD wProcessorRevision;
};
