#pragma once

// The result fields of the system information box (template IDD_SYSTEMINFO), in id order.
enum SystemInfoControlId : int
{
    IDC_SYSINFO_OS = 1060,              // the operating system's name
    IDC_SYSINFO_BUILD = 1061,           // its build
    IDC_SYSINFO_SERVICE_PACK = 1062,    // its update level
    IDC_SYSINFO_PROCESSORS = 1063,      // the number of processors
    IDC_SYSINFO_ARCHITECTURE = 1064,    // the processor architecture
    IDC_SYSINFO_PROCESSOR_LEVEL = 1065, // the processor's model
    IDC_SYSINFO_FIRST = IDC_SYSINFO_OS,
    IDC_SYSINFO_LAST = IDC_SYSINFO_PROCESSOR_LEVEL,
};

namespace res {
// Puts the system information box's template into the framework's registry.
void RegisterSystemInfoTemplate();
} // namespace res
