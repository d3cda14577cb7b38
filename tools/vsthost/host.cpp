#include "host.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <thread>

namespace vsthost {

namespace {

// Requests that arrive before the record exists (the version request made
// by the entry point) are routed to the host that is instantiating.
thread_local Host* instantiating = nullptr;

constexpr unsigned char kGuard = 0xA5;
constexpr int kGuardBytes = 16;

}  // namespace

const char* hostOpcodeName(int32_t opcode) {
    switch (opcode) {
        case audioMasterAutomate: return "audioMasterAutomate";
        case audioMasterVersion: return "audioMasterVersion";
        case audioMasterCurrentId: return "audioMasterCurrentId";
        case audioMasterIdle: return "audioMasterIdle";
        case audioMasterPinConnected: return "audioMasterPinConnected";
        case audioMasterWantMidi: return "audioMasterWantMidi";
        case audioMasterGetTime: return "audioMasterGetTime";
        case audioMasterProcessEvents: return "audioMasterProcessEvents";
        case audioMasterIOChanged: return "audioMasterIOChanged";
        case audioMasterSizeWindow: return "audioMasterSizeWindow";
        case audioMasterGetSampleRate: return "audioMasterGetSampleRate";
        case audioMasterGetBlockSize: return "audioMasterGetBlockSize";
        case audioMasterGetVendorString: return "audioMasterGetVendorString";
        case audioMasterGetProductString: return "audioMasterGetProductString";
        case audioMasterGetVendorVersion: return "audioMasterGetVendorVersion";
        case audioMasterCanDo: return "audioMasterCanDo";
        case audioMasterUpdateDisplay: return "audioMasterUpdateDisplay";
        case audioMasterBeginEdit: return "audioMasterBeginEdit";
        case audioMasterEndEdit: return "audioMasterEndEdit";
        default: return "audioMaster(other)";
    }
}

Host::Host() {
    std::memset(&timeInfo, 0, sizeof timeInfo);
    timeInfo.sampleRate = 44100.0;
    timeInfo.tempo = 120.0;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
    timeInfo.flags = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid;
}

Host::~Host() {
    if (effect) close();
}

AEffect* Host::instantiate(EntryProc entry) {
    if (!entry) return nullptr;
    Host* previous = instantiating;
    instantiating = this;
    effect = entry(&Host::callback);
    instantiating = previous;
    if (effect) effect->resvd1 = reinterpret_cast<intptr_t>(this);
    return effect;
}

intptr_t Host::close() {
    if (!effect) return 0;
    intptr_t result = effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    effect = nullptr;
    return result;
}

intptr_t Host::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    if (!effect) return 0;
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string Host::readText(int32_t opcode, int32_t index, int32_t capacity, bool* overrun,
                           intptr_t* answer) {
    std::vector<unsigned char> buffer(static_cast<size_t>(capacity) + 1 + kGuardBytes, kGuard);
    buffer[0] = 0;
    intptr_t result = dispatch(opcode, index, 0, buffer.data(), 0.0f);
    if (answer) *answer = result;
    bool over = false;
    for (int i = 0; i < kGuardBytes; ++i)
        if (buffer[static_cast<size_t>(capacity) + 1 + i] != kGuard) over = true;
    // An unterminated buffer also counts as an overrun: a host would read on.
    bool terminated = std::memchr(buffer.data(), 0, static_cast<size_t>(capacity) + 1) != nullptr;
    if (overrun) *overrun = over || !terminated;
    buffer[static_cast<size_t>(capacity)] = 0;
    return std::string(reinterpret_cast<const char*>(buffer.data()));
}

int32_t Host::canDo(const char* text) {
    std::vector<char> copy(text, text + std::strlen(text) + 1);
    return static_cast<int32_t>(dispatch(effCanDo, 0, 0, copy.data(), 0.0f));
}

size_t Host::countRequests(int32_t opcode) const {
    size_t n = 0;
    for (const auto& r : requests)
        if (r.opcode == opcode) ++n;
    return n;
}

intptr_t VST_CALL Host::callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt) {
    Host* host = nullptr;
    if (effect && effect->resvd1) host = reinterpret_cast<Host*>(effect->resvd1);
    if (!host) host = instantiating;
    if (!host) return opcode == audioMasterVersion ? 2400 : 0;
    return host->answer(effect, opcode, index, value, ptr, opt);
}

intptr_t Host::answer(AEffect* fromEffect, int32_t opcode, int32_t index, intptr_t value,
                      void* ptr, float opt) {
    (void)ptr;
    requests.push_back(HostRequest{opcode, index, value, fromEffect != nullptr, opt});
    switch (opcode) {
        case audioMasterVersion:
            return versionAnswer;
        case audioMasterGetTime:
            return giveTimeInfo ? reinterpret_cast<intptr_t>(&timeInfo) : 0;
        case audioMasterUpdateDisplay:
            return 1;
        default:
            return 0;
    }
}

RealTimeRun Host::runRealTime(double seconds, double sampleRate, int32_t blockSize) {
    RealTimeRun run;
    if (!effect || blockSize <= 0 || !(sampleRate > 0.0) || !effect->processReplacing) return run;
    const int32_t blocks = static_cast<int32_t>(std::lround(seconds * sampleRate / blockSize));
    const size_t frames = static_cast<size_t>(blockSize);
    const int32_t params = effect->numParams > 0 ? effect->numParams : 0;
    auto readParameters = [&](std::vector<float>& row) {
        for (int32_t i = 0; i < params; ++i)
            row[static_cast<size_t>(i)] = effect->getParameter(effect, i);
    };

    // Everything the loop touches is allocated before it starts.
    std::vector<float> in[2] = {std::vector<float>(frames), std::vector<float>(frames)};
    std::vector<float> out[2] = {std::vector<float>(frames), std::vector<float>(frames)};
    float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    run.parameters.assign(static_cast<size_t>(blocks) + 1,
                          std::vector<float>(static_cast<size_t>(params)));
    requests.reserve(requests.size() + static_cast<size_t>(blocks) * 8 + 16);
    const size_t firstRequest = requests.size();

    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
    timeInfo.sampleRate = sampleRate;
    timeInfo.tempo = 120.0;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
    timeInfo.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid |
                     kVstPpqPosValid | kVstBarsValid;
    dispatch(effMainsChanged, 0, 1);
    readParameters(run.parameters[0]);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const double blockSeconds = blockSize / sampleRate;
    for (int32_t b = 0; b < blocks; ++b) {
        std::this_thread::sleep_until(
            start + std::chrono::duration_cast<Clock::duration>(
                        std::chrono::duration<double>(b * blockSeconds)));
        double firstFrame = static_cast<double>(b) * blockSize;
        for (size_t i = 0; i < frames; ++i) {
            double phase = (firstFrame + static_cast<double>(i)) * 440.0 / sampleRate;
            in[0][i] = static_cast<float>(0.25 * std::sin(6.283185307179586 * phase));
            in[1][i] = -in[0][i];
        }
        timeInfo.samplePos = firstFrame;
        timeInfo.ppqPos = firstFrame / sampleRate * timeInfo.tempo / 60.0;
        timeInfo.barStartPos = std::floor(timeInfo.ppqPos / 4.0) * 4.0;
        effect->processReplacing(effect, inputs, outputs, blockSize);
        for (int k = 0; k < 2; ++k)
            if (std::memcmp(in[k].data(), out[k].data(), sizeof(float) * frames) != 0)
                run.audioUnchanged = false;
        readParameters(run.parameters[static_cast<size_t>(b) + 1]);
        run.blocksPlayed = b + 1;
    }
    dispatch(effMainsChanged, 0, 0);
    run.requests.assign(requests.begin() + static_cast<std::ptrdiff_t>(firstRequest),
                        requests.end());
    return run;
}

namespace {

// " NAME xCOUNT" per opcode, by name; " none" for no requests.
std::string requestCounts(const std::vector<HostRequest>& requests) {
    std::map<std::string, size_t> counts;
    for (const auto& r : requests) ++counts[hostOpcodeName(r.opcode)];
    if (counts.empty()) return " none";
    std::string out;
    for (const auto& c : counts) out += " " + c.first + " x" + std::to_string(c.second);
    return out;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string flagNames(int32_t flags) {
    static const std::pair<int32_t, const char*> names[] = {
        {effFlagsHasEditor, "HasEditor"},
        {effFlagsHasClip, "HasClip"},
        {effFlagsHasVu, "HasVu"},
        {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string out;
    for (const auto& n : names)
        if (flags & n.first) out += (out.empty() ? "" : " ") + std::string(n.second);
    return out;
}

std::string fourCC(int32_t v) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((static_cast<uint32_t>(v) >> shift) & 0xFF);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

// Processes one block of a known signal and answers whether every sample
// came back unchanged.
template <typename F>
bool passesThrough(AEffect* effect, bool doublePrecision) {
    const int32_t frames = 64;
    int32_t channels = effect->numInputs > effect->numOutputs ? effect->numInputs
                                                              : effect->numOutputs;
    if (channels <= 0 || channels > 64) return false;
    std::vector<std::vector<F>> in(channels, std::vector<F>(frames)),
        out(channels, std::vector<F>(frames, F(-7)));
    std::vector<F*> inPtr(channels), outPtr(channels);
    for (int32_t k = 0; k < channels; ++k) {
        for (int32_t i = 0; i < frames; ++i)
            in[k][i] = static_cast<F>(std::sin(0.1 * i + k) * 0.5 + 1e-7 * i);
        inPtr[k] = in[k].data();
        outPtr[k] = out[k].data();
    }
    if (doublePrecision) {
        if (!effect->processDoubleReplacing) return false;
        effect->processDoubleReplacing(effect, reinterpret_cast<double**>(inPtr.data()),
                                       reinterpret_cast<double**>(outPtr.data()), frames);
    } else {
        if (!effect->processReplacing) return false;
        effect->processReplacing(effect, reinterpret_cast<float**>(inPtr.data()),
                                 reinterpret_cast<float**>(outPtr.data()), frames);
    }
    int32_t compared = effect->numInputs < effect->numOutputs ? effect->numInputs
                                                              : effect->numOutputs;
    for (int32_t k = 0; k < compared; ++k)
        if (std::memcmp(in[k].data(), out[k].data(), sizeof(F) * frames) != 0) return false;
    return true;
}

}  // namespace

std::string describePlugin(EntryProc entry, bool* ok) {
    std::ostringstream out;
    bool fine = true;
    Host host;
    AEffect* e = host.instantiate(entry);
    if (!e) {
        out << "entry point returned no effect\n";
        if (ok) *ok = false;
        return out.str();
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(e->magic));
    out << "magic: " << fourCC(e->magic) << " (" << hex << ")\n";
    if (e->magic != kEffectMagic) fine = false;
    out << "numPrograms: " << e->numPrograms << "\n";
    out << "numParams: " << e->numParams << "\n";
    out << "numInputs: " << e->numInputs << "\n";
    out << "numOutputs: " << e->numOutputs << "\n";
    out << "flags: " << e->flags << " (" << flagNames(e->flags) << ")\n";
    out << "uniqueID: " << e->uniqueID << "\n";
    out << "version: " << e->version << "\n";
    out << "initialDelay: " << e->initialDelay << "\n";

    intptr_t identify = host.dispatch(effIdentify);
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(identify));
    out << "effIdentify: " << hex << " (" << fourCC(static_cast<int32_t>(identify)) << ")\n";
    out << "effGetVstVersion: " << host.dispatch(effGetVstVersion) << "\n";
    out << "effGetPlugCategory: " << host.dispatch(effGetPlugCategory) << "\n";

    host.dispatch(effOpen);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    host.dispatch(effSetBlockSize, 0, 512);

    struct TextQuery {
        const char* label;
        int32_t opcode;
        int32_t capacity;
    };
    const TextQuery texts[] = {
        {"effect name", effGetEffectName, kVstMaxEffectNameLen},
        {"vendor", effGetVendorString, kVstMaxVendorStrLen},
        {"product", effGetProductString, kVstMaxProductStrLen},
        {"program name", effGetProgramName, kVstMaxProgNameLen},
    };
    for (const auto& q : texts) {
        bool overrun = false;
        std::string text = host.readText(q.opcode, 0, q.capacity, &overrun);
        out << q.label << ": " << quoted(text) << (overrun ? "  OVERRUN" : "") << "\n";
        if (overrun) fine = false;
    }
    out << "vendor version: " << host.dispatch(effGetVendorVersion) << "\n";

    for (int32_t i = 0; i < e->numParams; ++i) {
        bool o1 = false, o2 = false, o3 = false;
        std::string name = host.readText(effGetParamName, i, kVstMaxParamStrLen, &o1);
        std::string label = host.readText(effGetParamLabel, i, kVstMaxParamStrLen, &o2);
        std::string display = host.readText(effGetParamDisplay, i, kVstMaxParamStrLen, &o3);
        float value = e->getParameter(e, i);
        out << "parameter " << i << ": name " << quoted(name) << " label " << quoted(label)
            << " display " << quoted(display) << " value " << value
            << ((o1 || o2 || o3) ? "  OVERRUN" : "") << "\n";
        if (o1 || o2 || o3) fine = false;
    }

    const char* queries[] = {"receiveVstMidiEvent", "receiveVstEvents", "sendVstMidiEvent",
                             "sendVstEvents", "receiveVstTimeInfo", "bypass",
                             "midiProgramNames", "offline"};
    for (const char* q : queries) out << "canDo " << q << ": " << host.canDo(q) << "\n";

    host.dispatch(effMainsChanged, 0, 1);
    bool floatOk = passesThrough<float>(e, false);
    bool doubleOk = (e->flags & effFlagsCanDoubleReplacing) ? passesThrough<double>(e, true)
                                                            : true;
    host.dispatch(effMainsChanged, 0, 0);
    out << "pass-through float: " << (floatOk ? "exact" : "CHANGED") << "\n";
    out << "pass-through double: " << (doubleOk ? "exact" : "CHANGED") << "\n";
    if (!floatOk || !doubleOk) fine = false;

    out << "host requests:" << requestCounts(host.requests) << "\n";

    out << "effClose: " << host.close() << "\n";
    if (ok) *ok = fine;
    return out.str();
}

std::string describeRealTime(const RealTimeRun& run, int32_t counterParameter) {
    std::ostringstream out;
    out << "blocks played: " << run.blocksPlayed << "\n";
    // The counter falls back to 0 in the block that closes a second; that
    // block belongs to the second it closes.
    out << "blocks per second (parameter " << counterParameter << "):";
    long previous = -1;
    bool any = false;
    for (const auto& row : run.parameters) {
        if (counterParameter < 0 || static_cast<size_t>(counterParameter) >= row.size()) break;
        long value = std::lround(row[static_cast<size_t>(counterParameter)] * 100.0);
        if (previous > 0 && value < previous) {
            out << " " << previous + 1;
            any = true;
        }
        previous = value;
    }
    out << (any ? "" : " none") << "\n";
    out << "pass-through: " << (run.audioUnchanged ? "exact" : "CHANGED") << "\n";
    out << "host requests while playing:" << requestCounts(run.requests) << "\n";
    return out.str();
}

}  // namespace vsthost
