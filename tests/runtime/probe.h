// The probe module: a module of its own in a folder of its own. While a
// ProbeModule lives, the runtime takes it for the plug-in module, so
// module-relative names resolve in the probe's folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_runtime {

struct ProbeModule {
    void* handle = nullptr;
    std::filesystem::path folder;

    ProbeModule();
    ~ProbeModule();
    ProbeModule(const ProbeModule&) = delete;
    ProbeModule& operator=(const ProbeModule&) = delete;
};

// A folder of the test's own, emptied first and removed at the end.
struct ScratchFolder {
    std::filesystem::path path;
    explicit ScratchFolder(const std::filesystem::path& where) : path(where) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    void file(const char* name) const { std::ofstream(path / name) << "data"; }
    // The folder as the runtime names folders: with a trailing separator.
    std::string withSeparator() const { return (path / "").string(); }
};

}  // namespace testing_runtime
