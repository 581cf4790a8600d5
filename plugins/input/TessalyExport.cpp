#include "MciChannel_win.h"
#include "Tessaly.h"
#include "Win32PlaybackThread.h"

namespace {
// Built when the library is loaded, destroyed when it is unloaded.
Tessaly instance(std::make_unique<Win32PlaybackThread>(),
                 std::make_unique<TAudioCD>(MakeWinMciChannel(), ListCdRomRoots()));
} // namespace

QUOREL_EXPORT InputPlugin* _GetInstance() {
    return &instance;
}
