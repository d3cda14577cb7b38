// A library of host behaviours for driving a VST 2.4 plug-in the way a host
// does: instantiate it through its entry point, answer its requests, record
// every request, and read what the plug-in shows through its record and
// dispatcher. The command-line host, the integration tests and later the
// demo and torture runs are thin layers over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/vst24.h"

namespace vsthost {

typedef AEffect*(VST_CALL* EntryProc)(audioMasterCallback host);

struct HostRequest {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    bool hadEffect;  // false for requests sent before the record existed
    float opt;
};

const char* hostOpcodeName(int32_t opcode);

// What a host saw while playing in real time.
struct RealTimeRun {
    int32_t blocksPlayed = 0;
    // Every parameter's normalised value before the first block (row 0) and
    // after each block (row k for block k).
    std::vector<std::vector<float>> parameters;
    // Every output sample equalled its input sample bit for bit.
    bool audioUnchanged = true;
    // The requests the plug-in made during the run.
    std::vector<HostRequest> requests;
};

class Host {
public:
    Host();
    ~Host();

    // Calls the entry point with this host's callback. Answers the record,
    // or null when the plug-in refused.
    AEffect* instantiate(EntryProc entry);
    // effClose through the record; the record is gone afterwards.
    intptr_t close();

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0,
                      void* ptr = nullptr, float opt = 0.0f);
    // Reads a text through a buffer of exactly capacity + 1 bytes followed by
    // guard bytes; overrun is set when the plug-in wrote past the buffer.
    std::string readText(int32_t opcode, int32_t index, int32_t capacity, bool* overrun = nullptr,
                         intptr_t* answer = nullptr);
    int32_t canDo(const char* text);

    size_t countRequests(int32_t opcode) const;

    // Plays for the given time as a host's audio thread does: sets rate and
    // block size, resumes, then processes single-precision stereo blocks of
    // a quiet sine paced by a real clock, with a time info that plays at 120
    // beats per minute in 4/4 and advances with every block; suspends at the
    // end. A block that is late runs at once, so a stalled run catches up
    // instead of dropping blocks.
    RealTimeRun runRealTime(double seconds, double sampleRate, int32_t blockSize);

    // What this host answers.
    intptr_t versionAnswer = 2400;
    bool giveTimeInfo = true;
    VstTimeInfo timeInfo;
    std::vector<HostRequest> requests;
    AEffect* effect = nullptr;

    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

private:
    static intptr_t VST_CALL callback(AEffect* effect, int32_t opcode, int32_t index,
                                      intptr_t value, void* ptr, float opt);
    intptr_t answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt);
};

// Everything a host sees of a fresh instance, as text: the record, the
// identity texts, the parameters, the can-do answers, a pass-through check
// and the host requests made. Closes the instance at the end.
std::string describePlugin(EntryProc entry, bool* ok);

// A real-time run as text: the blocks played, each second's count of
// parameter "30" (the block counter) where it fell back, whether the audio
// stayed unchanged, and the requests made.
std::string describeRealTime(const RealTimeRun& run, int32_t counterParameter);

// A loaded plug-in library (platform side).
class PluginLibrary {
public:
    bool load(const std::string& path, std::string* error);
    // The entry point under the given export name, or null.
    EntryProc entry(const char* name) const;
    ~PluginLibrary();

private:
    void* module = nullptr;
};

}  // namespace vsthost
