// Command-line test host: loads a plug-in DLL and prints what a host sees.
//   vsthost PLUGIN.dll [ENTRY]   (ENTRY: VSTPluginMain, main or MAIN)
#include <cstdio>
#include <string>

#include "host.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vsthost PLUGIN.dll [VSTPluginMain|main|MAIN]\n");
        return 2;
    }
    const char* entryName = argc > 2 ? argv[2] : "VSTPluginMain";
    vsthost::PluginLibrary library;
    std::string error;
    if (!library.load(argv[1], &error)) {
        std::fprintf(stderr, "vsthost: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    vsthost::EntryProc entry = library.entry(entryName);
    if (!entry) {
        std::fprintf(stderr, "vsthost: %s exports no %s\n", argv[1], entryName);
        return 1;
    }
    std::printf("plug-in: %s (entry %s)\n", argv[1], entryName);
    bool ok = false;
    std::string report = vsthost::describePlugin(entry, &ok);
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    return ok ? 0 : 1;
}
