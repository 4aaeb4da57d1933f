// Max and Min of two 32-bit values, as the business system's programs call them.
//
//   Max(3, -7)   // 3
//   Min(3, -7)   // -7
#pragma once

#include <cstdint>

namespace velta {

constexpr int32_t Max(int32_t var1, int32_t var2) { return var1 > var2 ? var1 : var2; }
constexpr int32_t Min(int32_t var1, int32_t var2) { return var1 < var2 ? var1 : var2; }

}  // namespace velta
