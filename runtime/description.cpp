// The runtime's file-system services: names relative to the plug-in
// module's folder, and the plain files of a data folder.
#include "kelvrix.h"
#include "shell/platform/system.h"

std::string moduleRelativePath(const std::string& moduleFile, const std::string& name) {
    size_t skip = (!name.empty() && (name[0] == '\\' || name[0] == '/')) ? 1 : 0;
    size_t cut = moduleFile.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : moduleFile.substr(0, cut + 1);
    return folder + name.substr(skip);
}

// The module's folder is looked up on every call.
std::string moduleRelativePath(const std::string& name) {
    return moduleRelativePath(platformModuleFileName(), name);
}

void listDataFiles(const std::string& folder, std::vector<std::string>& list) {
    std::vector<std::string> names;
    if (!platformListFolder(folder, names)) return;
    for (const std::string& name : names) {
        if (name.empty() || name[0] == '.') continue;
        bool isFolder = false;
        if (!platformPathStatus(folder + name, isFolder) || isFolder) continue;
        list.push_back(name);
    }
}
