// POSIX side of the system services, for the native build and its tests.
#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "module.h"
#include "system.h"

namespace {

std::string executableFileName() {
    char name[4096];
    ssize_t length = readlink("/proc/self/exe", name, sizeof name - 1);
    return length > 0 ? std::string(name, static_cast<size_t>(length)) : std::string();
}

}  // namespace

// A recorded handle is one that dlopen answered; without one, the shared
// object (or program) that holds this code names itself.
std::string platformModuleFileName() {
    if (void* handle = platformModuleHandle()) {
        struct link_map* map = nullptr;
        if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return {};
        return map->l_name[0] ? std::string(map->l_name) : executableFileName();
    }
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&platformModuleFileName), &info) || !info.dli_fname)
        return executableFileName();
    // The program itself is reported by the name it was started with, which
    // may be relative to a folder the process has left since.
    if (info.dli_fname[0] != '/') return executableFileName();
    return info.dli_fname;
}

bool platformListFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* listing = opendir(folder.c_str());
    if (!listing) return false;
    while (const struct dirent* entry = readdir(listing)) names.emplace_back(entry->d_name);
    closedir(listing);
    return true;
}

bool platformPathStatus(const std::string& path, bool& isFolder) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return false;
    isFolder = S_ISDIR(status.st_mode);
    return true;
}

int32_t platformClockMilliseconds() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                  static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}
