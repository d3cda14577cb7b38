// The library's load hook: records the module handle for every reason code,
// so resource loading and module-relative paths work from the first call.
#include <windows.h>

#include "platform/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reason, (void)reserved;
    platformSetModuleHandle(instance);
    return TRUE;
}
