#include "vestclient.h"

#include "cvest.h"

CVeST* VeSTCreate(void* client, const VeSTCallbacks* callbacks, audioMasterCallback host,
                  int32_t numPrograms, int32_t numParams) {
    VeSTCallbacks none{};
    return CVeST::create(client, callbacks ? *callbacks : none, host, numPrograms, numParams);
}

AEffect* VeSTGetAEffect(CVeST* shell) { return shell ? shell->getAeffect() : nullptr; }
void* VeSTGetClient(CVeST* shell) { return shell ? shell->client : nullptr; }

int32_t VeSTGetNumInputs(CVeST* shell) { return shell ? shell->getAeffect()->numInputs : 0; }
int32_t VeSTGetNumOutputs(CVeST* shell) { return shell ? shell->getAeffect()->numOutputs : 0; }

int32_t VeSTSetNumInputs(CVeST* shell, int32_t count) {
    if (!shell) return 0;
    shell->setNumInputs(count);
    return 1;
}

int32_t VeSTSetNumOutputs(CVeST* shell, int32_t count) {
    if (!shell) return 0;
    shell->setNumOutputs(count);
    return 1;
}

int32_t VeSTSetUniqueID(CVeST* shell, int32_t id) {
    if (!shell) return 0;
    shell->setUniqueID(id);
    return 1;
}

int32_t VeSTProgramsAreChunks(CVeST* shell, bool state) {
    if (!shell) return 0;
    shell->programsAreChunks(state);
    return 1;
}

int32_t VeSTSetInitialDelay(CVeST* shell, int32_t delay) {
    if (!shell) return 0;
    shell->setInitialDelay(delay);  // the host is not told
    return 1;
}

int32_t VeSTSetIsSynth(CVeST* shell, bool state) {
    if (!shell) return 0;
    shell->isSynth(state);
    return 1;
}

float VeSTGetSampleRate(CVeST* shell) { return shell ? shell->getSampleRate() : 0.0f; }
int32_t VeSTGetBlockSize(CVeST* shell) { return shell ? shell->getBlockSize() : 0; }

double VeSTGetTempo(CVeST* shell) {
    const VstTimeInfo* info = shell ? shell->getTimeInfo(kVstTempoValid) : nullptr;
    return info ? info->tempo : 0.0;
}

double VeSTGetPpqPos(CVeST* shell) {
    const VstTimeInfo* info = shell ? shell->getTimeInfo(kVstPpqPosValid) : nullptr;
    return info ? info->ppqPos : 0.0;
}

double VeSTGetBarStartPos(CVeST* shell) {
    const VstTimeInfo* info = shell ? shell->getTimeInfo(kVstBarsValid) : nullptr;
    return info ? info->barStartPos : 0.0;
}

bool VeSTIsPlaying(CVeST* shell) {
    const VstTimeInfo* info = shell ? shell->getTimeInfo(kVstTransportPlaying) : nullptr;
    return info && (info->flags & kVstTransportPlaying) != 0;
}

bool VeSTIsRecording(CVeST* shell) {
    const VstTimeInfo* info = shell ? shell->getTimeInfo(kVstTransportRecording) : nullptr;
    return info && (info->flags & kVstTransportRecording) != 0;
}

int32_t VeSTGetTimeSignature(CVeST* shell, double* tempo, double* numerator,
                             double* denominator) {
    const VstTimeInfo* info =
        shell ? shell->getTimeInfo(kVstTimeSigValid | kVstTempoValid) : nullptr;
    if (!info) return 0;
    if (tempo) *tempo = info->tempo;
    if (numerator) *numerator = info->timeSigNumerator;
    if (denominator) *denominator = info->timeSigDenominator;
    return 1;
}

bool VeSTUpdateDisplay(CVeST* shell) { return shell && shell->updateDisplay(); }

int32_t VeSTSetParameterAutomated(CVeST* shell, int32_t index, double value) {
    if (!shell) return 0;
    shell->setParameterAutomated(index, static_cast<float>(value));
    return 1;
}

// The script view lives in the toolkit editor, which this build does not
// have yet: no shell has an editor with a view, so there is nothing to
// invalidate.
int32_t VeSTRedraw(CVeST* shell) {
    (void)shell;
    return 0;
}

// Until the toolkit editor exists no editor is created (and the record does
// not announce one); the client's request is answered with 0.
int32_t VeSTCreateEditor(CVeST* shell, int32_t width, int32_t height) {
    (void)shell, (void)width, (void)height;
    return 0;
}

bool VeSTSendMidi(CVeST* shell, int32_t deltaFrames, uint8_t status, uint8_t data1,
                  uint8_t data2) {
    if (!shell) return false;
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = deltaFrames;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return shell->sendVstEventsToHost(&events);
}

bool VeSTSendSysex(CVeST* shell, int32_t deltaFrames, uint8_t* dump, int32_t dumpBytes) {
    if (!shell) return false;
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = sizeof(VstMidiSysexEvent);
    event.deltaFrames = deltaFrames;
    event.dumpBytes = dumpBytes;
    event.sysexDump = reinterpret_cast<char*>(dump);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return shell->sendVstEventsToHost(&events);
}

int32_t VeSTReceiveMidi(CVeST* shell, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                        int32_t* data2) {
    int32_t d = 0, s = 0, a = 0, b = 0;
    bool got = shell && shell->readMidi(d, s, a, b);
    if (deltaFrames) *deltaFrames = d;
    if (status) *status = s;
    if (data1) *data1 = a;
    if (data2) *data2 = b;
    return got ? 1 : 0;
}

int32_t VeSTGetMasterVersion(CVeST* shell) { return shell ? shell->getMasterVersion() : 0; }
int32_t VeSTGetCurrentUniqueId(CVeST* shell) { return shell ? shell->getCurrentUniqueId() : 0; }

int32_t VeSTMasterIdle(CVeST* shell) {
    if (!shell) return 0;
    shell->masterIdle();
    return 1;
}

bool VeSTGetHostVendorString(CVeST* shell, char* text) {
    return shell && shell->getHostVendorString(text);
}

bool VeSTGetHostProductString(CVeST* shell, char* text) {
    return shell && shell->getHostProductString(text);
}

int32_t VeSTGetHostVendorVersion(CVeST* shell) {
    return shell ? shell->getHostVendorVersion() : 0;
}

int32_t VeSTGetHostLanguage(CVeST* shell) { return shell ? shell->getHostLanguage() : 0; }
