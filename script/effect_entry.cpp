// Builds one effect instance for the host.
//
// Until the script runtime is in place this is a plain pass-through client:
// it configures the record the way the runtime's onCreate will (two inputs,
// two outputs, the effect's unique ID, chunk-based programs), copies audio
// through unchanged and answers the description texts. The runtime's
// TKelvrixEffect replaces it.
#include <cstring>
#include <new>

#include "../shell/cvest.h"
#include "../shell/entry.h"
#include "../shell/vestcallbacks.h"
#include "../shell/vestclient.h"
#include "../shell/vsttext.h"

namespace {

constexpr const char* kTitle = "HALVORIK - Velmarch - (20200828)";
constexpr const char* kVendor = "HALVORIK";
constexpr int32_t kUniqueID = 6248;
constexpr int32_t kChannels = 2;

struct PassThrough {
    char programName[kVstMaxProgNameLen + 1];
};

PassThrough* self(CVeST* shell) { return static_cast<PassThrough*>(VeSTGetClient(shell)); }

int32_t onCreate(CVeST* shell) {
    VeSTSetNumInputs(shell, kChannels);
    VeSTSetNumOutputs(shell, kChannels);
    VeSTSetUniqueID(shell, kUniqueID);
    VeSTProgramsAreChunks(shell, true);
    return 1;
}

void onDestroy(CVeST* shell) { delete self(shell); }

template <typename F>
void copyThrough(CVeST* shell, F** inputs, F** outputs, int32_t frames) {
    if (!inputs || !outputs || frames <= 0) return;
    int32_t channels = VeSTGetNumInputs(shell);
    for (int32_t k = 0; k < channels; ++k) {
        if (!inputs[k] || !outputs[k]) continue;
        if (inputs[k] != outputs[k])
            std::memmove(outputs[k], inputs[k], sizeof(F) * static_cast<size_t>(frames));
    }
}

void processReplacing(CVeST* shell, float** in, float** out, int32_t frames) {
    copyThrough(shell, in, out, frames);
}

void processDoubleReplacing(CVeST* shell, double** in, double** out, int32_t frames) {
    copyThrough(shell, in, out, frames);
}

int32_t getVendorVersion(CVeST*) { return 1000; }
int32_t getVendorString(CVeST*, char* text) {
    vstCopyText(text, kVendor, kVstMaxVendorStrLen);
    return 1;
}
int32_t getProductString(CVeST*, char* text) {
    vstCopyText(text, kTitle, kVstMaxProductStrLen);
    return 1;
}
int32_t getEffectName(CVeST*, char* text) {
    vstCopyText(text, kTitle, kVstMaxEffectNameLen);
    return 1;
}
int32_t getProgramName(CVeST* shell, char* text) {
    vstCopyText(text, self(shell)->programName, kVstMaxProgNameLen);
    return 1;
}
void setProgramName(CVeST* shell, const char* name) {
    vstCopyText(self(shell)->programName, name, kVstMaxProgNameLen);
}

}  // namespace

AEffect* createEffectInstance(audioMasterCallback host) {
    VeSTCallbacks callbacks{};
    callbacks.onCreate = onCreate;
    callbacks.onDestroy = onDestroy;
    callbacks.processReplacing = processReplacing;
    callbacks.processDoubleReplacing = processDoubleReplacing;
    callbacks.getVendorVersion = getVendorVersion;
    callbacks.getVendorString = getVendorString;
    callbacks.getProductString = getProductString;
    callbacks.getEffectName = getEffectName;
    callbacks.getProgramName = getProgramName;
    callbacks.setProgramName = setProgramName;

    auto* client = new (std::nothrow) PassThrough;
    if (!client) return nullptr;
    vstCopyText(client->programName, kTitle, kVstMaxProgNameLen);
    CVeST* shell = VeSTCreate(client, &callbacks, host, 1, 0);
    if (!shell) {
        delete client;
        return nullptr;
    }
    return VeSTGetAEffect(shell);
}
