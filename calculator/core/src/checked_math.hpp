// Internal helpers of the core: double arithmetic that turns a result beyond the double range
// into OverflowError, and the unit multiplier 10^(3 x index). Not part of the public interface.
#pragma once

#include <cstdint>

namespace tuneworks::detail {

// a * b, or OverflowError when the product of two finite values is not finite.
double CheckedMul(double a, double b);

// a / b (b is never zero where the core calls it), or OverflowError when the quotient is not
// finite.
double CheckedDiv(double a, double b);

// a - b, or OverflowError when the difference is not finite.
double CheckedSub(double a, double b);

// 10^(3 x index) for a selected list index: -1 gives 0.001, 0 gives 1, 1 gives 1000, 2 gives 10^6,
// 3 gives 10^9. 3 x index is formed in signed 16-bit arithmetic (OverflowError beyond it); a power
// beyond the double range is OverflowError, one too small even for a subnormal double is 0.
double UnitScale(std::int16_t index);

// 10^exponent as the double nearest to it; OverflowError above the double range, 0 below it.
double PowerOfTen(int exponent);

// Throws OverflowError with a message naming what overflowed.
[[noreturn]] void ThrowOverflow(const char* what);

}  // namespace tuneworks::detail
