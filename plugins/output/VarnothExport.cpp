#include "Varnoth.h"

namespace {
Varnoth instance;
} // namespace

QUOREL_EXPORT OutputPlugin* _GetInstance() {
    return &instance;
}
