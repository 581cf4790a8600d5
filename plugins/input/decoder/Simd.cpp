#include "Simd.h"

namespace {

bool gWideAllowed = true;

} // namespace

void SimdAllowWide(bool allowed) {
    gWideAllowed = allowed;
}

bool SimdWide() {
    __builtin_cpu_init();
    return gWideAllowed && __builtin_cpu_supports("avx");
}
