#include "platform/ProcessMemory.h"

#include <cstdio>
#include <unistd.h>

uint64_t ResidentMemoryBytes() {
    // The second field of statm: resident pages.
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file) {
        return 0;
    }
    unsigned long long size = 0;
    unsigned long long resident = 0;
    const int read = std::fscanf(file, "%llu %llu", &size, &resident);
    std::fclose(file);
    const long page = ::sysconf(_SC_PAGESIZE);
    return read == 2 && page > 0 ? resident * static_cast<uint64_t>(page) : 0;
}
