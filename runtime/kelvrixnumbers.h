// The numeric rules of script values. Scripts hold only doubles; these
// helpers decide how they are stored, compared and turned into integers.
#pragma once

#include <cmath>
#include <cstdint>

// Not-a-number and the infinities become 0. Every value a section computes
// is stored through it, so script variables always hold finite numbers.
inline double sanitize(double x) { return std::isfinite(x) ? x : 0.0; }

// Constants pass through this: infinities become 0, not-a-number stays.
inline double infinityToZero(double x) { return std::isinf(x) ? 0.0 : x; }

// A script number as an integer: nudged by 0.0001 away from zero, then
// truncated, so 2.99995 gives 3 and -2.99995 gives -3. Values beyond the
// int32 range saturate and not-a-number gives 0, so no conversion is ever
// undefined.
inline int32_t toInt(double x) {
    if (std::isnan(x)) return 0;
    double nudged = x < 0.0 ? x - 0.0001 : x + 0.0001;
    if (nudged >= 2147483648.0) return INT32_MAX;
    if (nudged <= -2147483649.0) return INT32_MIN;
    return static_cast<int32_t>(nudged);
}

// Two script numbers are equal when they differ by less than 0.00001.
inline bool equals(double a, double b) { return std::fabs(a - b) < 0.00001; }

// The larger of two script numbers; a not-a-number operand yields the other.
inline double max(double a, double b) { return std::fmax(a, b); }
