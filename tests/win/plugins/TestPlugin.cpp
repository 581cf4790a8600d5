// Modules for the plug-in loader tests. TEST_PLUGIN_KIND selects:
//   1  exports _GetInstance returning its static object
//   2  exports _GetInstance returning null
//   3  exports nothing
#include "PluginAbi.h"

#if TEST_PLUGIN_KIND == 1
namespace {
int object;
}
QUOREL_EXPORT void* _GetInstance() {
    return &object;
}
#elif TEST_PLUGIN_KIND == 2
QUOREL_EXPORT void* _GetInstance() {
    return nullptr;
}
#elif TEST_PLUGIN_KIND == 3
QUOREL_EXPORT int NotTheFactory() {
    return 0;
}
#endif
