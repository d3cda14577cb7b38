#include <time.h>

#include "wallclock.h"

namespace {

class SystemWallClock final : public WallClock {
public:
    double wholeSeconds() override { return static_cast<double>(time(nullptr)); }
    double preciseSeconds() override {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return combinePreciseSeconds(ts.tv_sec, ts.tv_nsec / 1000);
    }
};

}  // namespace

WallClock& systemWallClock() {
    static SystemWallClock clock;
    return clock;
}
