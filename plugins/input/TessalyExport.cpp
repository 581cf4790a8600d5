#include "Tessaly.h"

namespace {
// Built when the library is loaded, destroyed when it is unloaded.
Tessaly instance;
} // namespace

QUOREL_EXPORT InputPlugin* _GetInstance() {
    return &instance;
}
