#include "framework/version_number.h"

#include <cmath>

namespace {

constexpr double MINOR_PER_MAJOR = 100.0;

}  // namespace

int WindowsVersionNumber(uint32_t major, uint32_t minor) {
    return static_cast<int>(std::lround((major + minor / MINOR_PER_MAJOR) * MINOR_PER_MAJOR));
}
