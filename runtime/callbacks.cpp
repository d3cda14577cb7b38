// The runtime's side of the shell's callback record. Every entry finds the
// script object as the shell's client; the shell always has one once it
// exists, so the entries do not check it.
#include "audiobridge.h"
#include "kelvrixentry.h"
#include "shell/vestclient.h"
#include "shell/vsttext.h"

namespace {

TKelvrix* script(CVeST* shell) { return static_cast<TKelvrix*>(VeSTGetClient(shell)); }

enum : int32_t { kEditorWidth = 340, kEditorHeight = 340 };

// Runs as the shell's last construction step, before the entry point has
// stored the shell in the script, so the handle argument is the only way
// to reach the shell here.
int32_t onCreate(CVeST* shell) {
    TKelvrix* s = script(shell);
    VeSTSetNumInputs(shell, s->channelCount);
    VeSTSetNumOutputs(shell, s->channelCount);
    VeSTSetUniqueID(shell, s->uniqueID);
    VeSTCreateEditor(shell, kEditorWidth, kEditorHeight);
    VeSTProgramsAreChunks(shell, true);
    return 1;
}

void onDestroy(CVeST* shell) { delete script(shell); }

// Control thread.
void onOpen(CVeST* shell) { script(shell)->reset(); }
void onSuspend(CVeST* shell) { script(shell)->doSuspend(); }
void onResume(CVeST* shell) { script(shell)->doResume(); }
void onClose(CVeST* shell) { script(shell)->doClose(); }

// Editor window thread.
void onEditorIdle(CVeST* shell) { script(shell)->doIdle(); }
void onDraw(CVeST* shell, double, double) { script(shell)->doGfx(); }

// Mouse events from the script view, editor window thread. The buttons
// come as the toolkit's input-state bits; the script sees its own bits.
double mouseCapOf(int32_t buttons) {
    struct Bit {
        int32_t toolkit;
        int32_t script;
    };
    static const Bit kBits[] = {{2, 1},    // left button
                                {8, 2},    // right button
                                {32, 4},   // control
                                {16, 8},   // shift
                                {64, 16},  // alt
                                {4, 64}};  // middle button
    int32_t cap = 0;
    for (const Bit& bit : kBits)
        if (buttons & bit.toolkit) cap |= bit.script;
    return cap;
}

// Mouse activity keeps the editor redrawing at least 30 times a second.
void mouseMoved(TKelvrix* s, double x, double y) {
    s->mouseX = x;
    s->mouseY = y;
    if (s->frameRate < 30.0) s->frameRate = 30.0;
}

void onMouseDown(CVeST* shell, double x, double y, int32_t buttons) {
    TKelvrix* s = script(shell);
    s->mouseCap = mouseCapOf(buttons);
    mouseMoved(s, x, y);
}

void onMouseUp(CVeST* shell, double x, double y, int32_t) {
    TKelvrix* s = script(shell);
    s->mouseCap = 0.0;
    mouseMoved(s, x, y);
}

void onMouseMove(CVeST* shell, double x, double y, int32_t) { mouseMoved(script(shell), x, y); }

// Audio thread. All instances of the effect have the same channel count, so
// the first instance to process fixes it for the process.
CProcessChannelCount floatChannels;
CProcessChannelCount doubleChannels;

void processReplacing(CVeST* shell, float** inputs, float** outputs, int32_t sampleFrames) {
    int32_t channels = floatChannels.get([shell] { return VeSTGetNumInputs(shell); });
    processKelvrixBlock(*script(shell), inputs, outputs, sampleFrames, channels);
}

void processDoubleReplacing(CVeST* shell, double** inputs, double** outputs,
                            int32_t sampleFrames) {
    int32_t channels = doubleChannels.get([shell] { return VeSTGetNumInputs(shell); });
    processKelvrixBlock(*script(shell), inputs, outputs, sampleFrames, channels);
}

int32_t getVendorVersion(CVeST* shell) { return script(shell)->vendorVersion; }

// The host's buffers hold the interface's capacity plus the terminator;
// longer texts are cut there.
int32_t answerText(char* text, const std::string& value, int32_t capacity) {
    vstCopyText(text, value.c_str(), capacity);
    return 1;
}

int32_t getVendorString(CVeST* shell, char* text) {
    return answerText(text, script(shell)->vendorString, kVstMaxVendorStrLen);
}
int32_t getProductString(CVeST* shell, char* text) {
    return answerText(text, script(shell)->productString, kVstMaxProductStrLen);
}
int32_t getEffectName(CVeST* shell, char* text) {
    return answerText(text, script(shell)->effectName, kVstMaxEffectNameLen);
}
int32_t getProgramName(CVeST* shell, char* text) {
    return answerText(text, script(shell)->programName, kVstMaxProgNameLen);
}

// The whole name is kept; only its copies out are bounded.
void setProgramName(CVeST* shell, const char* name) { script(shell)->programName = name; }

// The effect has one program, whose name comes through getProgramName.
int32_t getProgramNameIndexed(CVeST*, int32_t, int32_t, char*) { return 0; }

// Parameter calls arrive on the audio thread or another host thread.
double getParameter(CVeST* shell, int32_t index) { return script(shell)->getParameter(index); }
void setParameter(CVeST* shell, int32_t index, double value) {
    script(shell)->setParameter(index, value);
}
void getParameterName(CVeST* shell, int32_t index, char* text) {
    script(shell)->getParameterName(index, text);
}
void getParameterLabel(CVeST* shell, int32_t index, char* text) {
    script(shell)->getParameterLabel(index, text);
}
void getParameterDisplay(CVeST* shell, int32_t index, char* text) {
    script(shell)->getParameterDisplay(index, text);
}

// Bank and preset chunks are the same state.
int32_t getChunk(CVeST* shell, void** data, bool) { return script(shell)->saveState(data); }
int32_t setChunk(CVeST* shell, void* data, int32_t byteSize, bool) {
    return script(shell)->loadState(data, byteSize);
}

}  // namespace

VeSTCallbacks kelvrixCallbacks() {
    VeSTCallbacks callbacks{};
    callbacks.onCreate = onCreate;
    callbacks.onDestroy = onDestroy;
    callbacks.onOpen = onOpen;
    callbacks.onSuspend = onSuspend;
    callbacks.onResume = onResume;
    callbacks.onEditorIdle = onEditorIdle;
    callbacks.onClose = onClose;
    callbacks.onDraw = onDraw;
    callbacks.onMouseDown = onMouseDown;
    callbacks.onMouseUp = onMouseUp;
    callbacks.onMouseMove = onMouseMove;
    callbacks.getVendorVersion = getVendorVersion;
    callbacks.getVendorString = getVendorString;
    callbacks.getProductString = getProductString;
    callbacks.getEffectName = getEffectName;
    callbacks.getProgramName = getProgramName;
    callbacks.setProgramName = setProgramName;
    callbacks.getProgramNameIndexed = getProgramNameIndexed;
    callbacks.getParameter = getParameter;
    callbacks.setParameter = setParameter;
    callbacks.getParameterName = getParameterName;
    callbacks.getParameterLabel = getParameterLabel;
    callbacks.getParameterDisplay = getParameterDisplay;
    callbacks.processReplacing = processReplacing;
    callbacks.processDoubleReplacing = processDoubleReplacing;
    callbacks.getChunk = getChunk;
    callbacks.setChunk = setChunk;
    return callbacks;
}

AEffect* kelvrixCreateInstance(TKelvrix* script, audioMasterCallback host) {
    if (!script) return nullptr;
    VeSTCallbacks callbacks = kelvrixCallbacks();
    CVeST* shell = nullptr;
    try {
        shell = VeSTCreate(script, &callbacks, host, 1,
                           static_cast<int32_t>(script->sliderRecords.size()));
    } catch (...) {
        shell = nullptr;
    }
    if (!shell) {
        delete script;
        return nullptr;
    }
    script->shell = shell;
    return VeSTGetAEffect(shell);
}
