#include "probe.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "shell/platform/module.h"

namespace testing_runtime {

ProbeModule::ProbeModule() : folder(std::filesystem::path(PROBE_MODULE).parent_path()) {
#ifdef _WIN32
    handle = LoadLibraryA(PROBE_MODULE);
#else
    handle = dlopen(PROBE_MODULE, RTLD_NOW);
#endif
    platformSetModuleHandle(handle);
}

ProbeModule::~ProbeModule() {
    platformSetModuleHandle(nullptr);
    if (!handle) return;
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

}  // namespace testing_runtime
