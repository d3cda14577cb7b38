#include "cvest.h"

#include <cstring>
#include <new>

#include "../vstgui/cbaseobject.h"

CVeST* CVeST::create(void* client, const VeSTCallbacks& callbacks, audioMasterCallback host,
                     int32_t numPrograms, int32_t numParams) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    CVeST* shell = new (std::nothrow) CVeST(client, callbacks, host, numPrograms, numParams);
    if (shell && shell->callbacks.onCreate) shell->callbacks.onCreate(shell);
    return shell;
}

CVeST::CVeST(void* client, const VeSTCallbacks& callbacks, audioMasterCallback host,
             int32_t numPrograms, int32_t numParams)
    : AudioEffectX(host, numPrograms, numParams),
      client(client),
      midiRing(new VstMidiEvent[kMidiRingSize]()),
      callbacks(callbacks) {
    canProcessReplacing(true);
    canDoubleReplacing(true);
}

CVeST::~CVeST() {
    for (auto& font : fontCache) {
        if (font) font->release();
        font = nullptr;
    }
    if (callbacks.onDestroy) callbacks.onDestroy(this);
    midiRing.reset();
    fontCache.clear();
    // The base destructor deletes the editor.
}

void CVeST::open() {
    if (callbacks.onOpen) callbacks.onOpen(this);
}

void CVeST::close() {
    if (callbacks.onClose) callbacks.onClose(this);
}

void CVeST::suspend() {
    if (callbacks.onSuspend) callbacks.onSuspend(this);
}

void CVeST::resume() {
    AudioEffectX::resume();
    if (callbacks.onResume) callbacks.onResume(this);
}

void CVeST::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    if (callbacks.processReplacing) callbacks.processReplacing(this, inputs, outputs, sampleFrames);
}

void CVeST::processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) {
    if (callbacks.processDoubleReplacing)
        callbacks.processDoubleReplacing(this, inputs, outputs, sampleFrames);
}

// Parameter indices come from the host unchecked; only the published ones
// reach the client.
void CVeST::setParameter(int32_t index, float value) {
    if (callbacks.setParameter && validParameter(index))
        callbacks.setParameter(this, index, static_cast<double>(value));
}

float CVeST::getParameter(int32_t index) {
    if (callbacks.getParameter && validParameter(index))
        return static_cast<float>(callbacks.getParameter(this, index));
    return 0.0f;
}

void CVeST::setProgramName(char* name) {
    if (callbacks.setProgramName && name) callbacks.setProgramName(this, name);
}

void CVeST::getProgramName(char* name) {
    if (callbacks.getProgramName && name) callbacks.getProgramName(this, name);
}

void CVeST::getParameterLabel(int32_t index, char* label) {
    if (callbacks.getParameterLabel && label && validParameter(index))
        callbacks.getParameterLabel(this, index, label);
}

void CVeST::getParameterDisplay(int32_t index, char* text) {
    if (callbacks.getParameterDisplay && text && validParameter(index))
        callbacks.getParameterDisplay(this, index, text);
}

void CVeST::getParameterName(int32_t index, char* text) {
    if (callbacks.getParameterName && text && validParameter(index))
        callbacks.getParameterName(this, index, text);
}

int32_t CVeST::getChunk(void** data, bool isPreset) {
    return callbacks.getChunk ? callbacks.getChunk(this, data, isPreset) : 0;
}

int32_t CVeST::setChunk(void* data, int32_t byteSize, bool isPreset) {
    return callbacks.setChunk ? callbacks.setChunk(this, data, byteSize, isPreset) : 0;
}

bool CVeST::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    return callbacks.getProgramNameIndexed &&
           callbacks.getProgramNameIndexed(this, category, index, text) != 0;
}

bool CVeST::getEffectName(char* name) {
    return callbacks.getEffectName && callbacks.getEffectName(this, name) != 0;
}

bool CVeST::getVendorString(char* text) {
    return callbacks.getVendorString && callbacks.getVendorString(this, text) != 0;
}

bool CVeST::getProductString(char* text) {
    return callbacks.getProductString && callbacks.getProductString(this, text) != 0;
}

int32_t CVeST::getVendorVersion() {
    return callbacks.getVendorVersion ? callbacks.getVendorVersion(this) : 0;
}

int32_t CVeST::processEvents(VstEvents* events) {
    if (!events || !midiRing) return 1;
    // The host allocates room for numEvents pointers; the declared array
    // of two is only the record's head.
    VstEvent* const* list = events->events;
    for (int32_t i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (!event || event->type != kVstMidiType) continue;
        std::memcpy(&midiRing[midiWriteIndex], event, sizeof(VstMidiEvent));
        if (++midiWriteIndex >= kMidiRingSize) midiWriteIndex = 0;
    }
    return 1;
}

int32_t CVeST::canDo(char* text) {
    if (text && std::strcmp(text, "receiveVstMidiEvent") == 0) return cEffect.flags | 256;
    return -1;
}

bool CVeST::readMidi(int32_t& deltaFrames, int32_t& status, int32_t& data1, int32_t& data2) {
    if (!midiRing || midiReadIndex == midiWriteIndex) {
        deltaFrames = status = data1 = data2 = 0;
        return false;
    }
    const VstMidiEvent& event = midiRing[midiReadIndex];
    deltaFrames = event.deltaFrames;
    status = static_cast<signed char>(event.midiData[0]);
    data1 = static_cast<signed char>(event.midiData[1]);
    data2 = static_cast<signed char>(event.midiData[2]);
    if (++midiReadIndex >= kMidiRingSize) midiReadIndex = 0;
    return true;
}
