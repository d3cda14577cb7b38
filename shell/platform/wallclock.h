// Wall clocks counting from 1970-01-01 00:00 UTC, as the rate tests read
// them. Behind an interface so tests can drive time by hand; the system
// clock reads the platform anew on every call and never allocates or locks,
// so the audio thread may call it per sample frame.
#pragma once

class WallClock {
public:
    virtual ~WallClock() = default;
    // Whole seconds.
    virtual double wholeSeconds() = 0;
    // Seconds and microseconds, each a 32-bit integer, combined as
    // seconds + microseconds * 0.000001.
    virtual double preciseSeconds() = 0;
};

// The platform's clocks; one process-wide object.
WallClock& systemWallClock();

// Combines the two integer parts the way every platform's precise clock does.
inline double combinePreciseSeconds(long long seconds, long long microseconds) {
    return static_cast<double>(static_cast<int>(seconds)) +
           static_cast<double>(static_cast<int>(microseconds)) * 0.000001;
}
