#include <time.h>
#include <windows.h>

#include "wallclock.h"

namespace {

class SystemWallClock final : public WallClock {
public:
    double wholeSeconds() override { return static_cast<double>(_time64(nullptr)); }
    double preciseSeconds() override {
        FILETIME ft;
        GetSystemTimeAsFileTime(&ft);
        // 100-nanosecond ticks since 1601-01-01.
        unsigned long long ticks =
            (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        const unsigned long long kEpochOffset = 116444736000000000ULL;
        unsigned long long sinceEpoch = ticks > kEpochOffset ? ticks - kEpochOffset : 0;
        return combinePreciseSeconds(static_cast<long long>(sinceEpoch / 10000000ULL),
                                     static_cast<long long>(sinceEpoch % 10000000ULL / 10ULL));
    }
};

}  // namespace

WallClock& systemWallClock() {
    static SystemWallClock clock;
    return clock;
}
