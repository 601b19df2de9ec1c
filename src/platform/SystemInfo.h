#pragma once

#include <cstdint>

namespace zev::platform {

// Processor and memory figures of this machine, as the system information window shows them.
struct SystemInfo {
    // The processor type number of the Windows system information (386, 486, 586 for Intel
    // x86 generations, 8664 for x86-64, 0xAA64 style values for ARM 64-bit).
    std::uint32_t processorType = 0;
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availableVirtual = 0;
    // Percentage of physical memory in use, 0 to 100.
    int memoryLoad = 0;
};

SystemInfo readSystemInfo();

} // namespace zev::platform
