// Command-line test host: loads a plug-in DLL and prints what a host sees.
//   vsthost PLUGIN.dll [ENTRY] [--play SECONDS]
// ENTRY is VSTPluginMain, main or MAIN. With --play the host plays the
// plug-in in real time at 48000 Hz in blocks of 480 frames and reports what
// parameter index 1 (the block counter) showed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: vsthost PLUGIN.dll [VSTPluginMain|main|MAIN] [--play SECONDS]\n");
    return 2;
}

int play(vsthost::EntryProc entry, double seconds) {
    vsthost::Host host;
    AEffect* e = host.instantiate(entry);
    if (!e) {
        std::printf("entry point returned no effect\n");
        return 1;
    }
    host.dispatch(effOpen);
    vsthost::RealTimeRun run = host.runRealTime(seconds, 48000.0, 480);
    std::fputs(vsthost::describeRealTime(run, 1).c_str(), stdout);
    std::printf("effClose: %ld\n", static_cast<long>(host.close()));
    std::fflush(stdout);
    return run.audioUnchanged && run.blocksPlayed > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const char* entryName = "VSTPluginMain";
    double playSeconds = 0.0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--play") == 0) {
            if (i + 1 >= argc) return usage();
            playSeconds = std::atof(argv[++i]);
            if (!(playSeconds > 0.0)) return usage();
        } else {
            entryName = argv[i];
        }
    }
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
    if (playSeconds > 0.0) return play(entry, playSeconds);
    bool ok = false;
    std::string report = vsthost::describePlugin(entry, &ok);
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    return ok ? 0 : 1;
}
