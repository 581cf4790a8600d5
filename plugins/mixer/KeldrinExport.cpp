#include "Keldrin.h"

namespace {
Keldrin instance;
} // namespace

QUOREL_EXPORT MixerPlugin* _GetInstance() {
    return &instance;
}
