#include "SystemInfo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/sysinfo.h>
#endif

namespace zev::platform {

namespace {

std::uint32_t processorTypeOfThisBuild() {
#if defined(__x86_64__) || defined(_M_X64)
    return 8664;
#elif defined(__aarch64__) || defined(_M_ARM64)
    return 0xAA64;
#elif defined(__i386__) || defined(_M_IX86)
    return 586;
#else
    return 0;
#endif
}

} // namespace

SystemInfo readSystemInfo() {
    SystemInfo info;
    info.processorType = processorTypeOfThisBuild();
#ifdef _WIN32
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        info.totalPhysical = status.ullTotalPhys;
        info.availablePhysical = status.ullAvailPhys;
        info.totalVirtual = status.ullTotalVirtual;
        info.availableVirtual = status.ullAvailVirtual;
        info.memoryLoad = static_cast<int>(status.dwMemoryLoad);
    }
#else
    struct sysinfo s {};
    if (sysinfo(&s) == 0) {
        const std::uint64_t unit = s.mem_unit ? s.mem_unit : 1;
        info.totalPhysical = std::uint64_t(s.totalram) * unit;
        info.availablePhysical = (std::uint64_t(s.freeram) + s.bufferram) * unit;
        // Virtual memory here: physical plus swap, as the desktop reports it.
        info.totalVirtual = info.totalPhysical + std::uint64_t(s.totalswap) * unit;
        info.availableVirtual = info.availablePhysical + std::uint64_t(s.freeswap) * unit;
        if (info.totalPhysical > 0)
            info.memoryLoad =
                static_cast<int>(100 - (100 * info.availablePhysical) / info.totalPhysical);
    }
#endif
    return info;
}

} // namespace zev::platform
