#include <windows.h>

#include "host.h"

namespace vsthost {

bool PluginLibrary::load(const std::string& path, std::string* error) {
    module = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (!module && error) *error = "LoadLibrary failed, error " + std::to_string(GetLastError());
    return module != nullptr;
}

EntryProc PluginLibrary::entry(const char* name) const {
    if (!module) return nullptr;
    return reinterpret_cast<EntryProc>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)));
}

PluginLibrary::~PluginLibrary() {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace vsthost
