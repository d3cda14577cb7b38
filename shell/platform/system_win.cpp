// Windows side of the system services.
#include <windows.h>

#include <sys/stat.h>
#include <time.h>

#include "module.h"
#include "system.h"

std::string platformModuleFileName() {
    HMODULE module = static_cast<HMODULE>(platformModuleHandle());
    if (!module &&
        !GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&platformModuleFileName), &module))
        return std::string();
    // The system cuts a name that does not fit and then answers the full
    // buffer size, so grow until the name fits instead of naming the wrong
    // folder.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string name(size, '\0');
        DWORD length = GetModuleFileNameA(module, &name[0], size);
        if (length == 0) return std::string();
        if (length < size) {
            name.resize(length);
            return name;
        }
    }
    return std::string();
}

bool platformListFolder(const std::string& folder, std::vector<std::string>& names) {
    if (folder.empty()) return false;
    char last = folder.back();
    std::string pattern = folder + ((last == '\\' || last == '/') ? "*" : "\\*");
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA(pattern.c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return false;
    do {
        names.emplace_back(entry.cFileName);
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return true;
}

bool platformPathStatus(const std::string& path, bool& isFolder) {
    struct _stat64 status;
    if (_stat64(path.c_str(), &status) != 0) return false;
    isFolder = (status.st_mode & _S_IFMT) == _S_IFDIR;
    return true;
}

// The C runtime's clock counts milliseconds since the process started.
int32_t platformClockMilliseconds() {
    return static_cast<int32_t>(static_cast<uint32_t>(clock() * (1000 / CLOCKS_PER_SEC)));
}
