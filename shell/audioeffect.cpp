#include "audioeffect.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "vsttext.h"

namespace {

// Editor key opcodes carry the modifier bits in the float argument; a host
// that sends garbage there must not make the conversion undefined.
unsigned char lowByteOf(float opt) {
    if (!(opt > -2147483648.0f && opt < 2147483648.0f)) return 0;
    return static_cast<unsigned char>(static_cast<int32_t>(opt) & 0xFF);
}

bool isTextOpcode(int32_t opcode) {
    switch (opcode) {
        case effSetProgramName:
        case effGetProgramName:
        case effGetParamLabel:
        case effGetParamDisplay:
        case effGetParamName:
        case effGetProgramNameIndexed:
        case effGetEffectName:
        case effGetVendorString:
        case effGetProductString:
        case effString2Parameter:
        case effShellGetNextPlugin:
            return true;
        default:
            return false;
    }
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    std::memset(&cEffect, 0, sizeof cEffect);
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = &AudioEffect::dispatchEffect;
    cEffect.process = &AudioEffect::processEffect;
    cEffect.setParameter = &AudioEffect::setParameterEffect;
    cEffect.getParameter = &AudioEffect::getParameterEffect;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vstFourCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = &AudioEffect::processReplacingEffect;
    cEffect.processDoubleReplacing = &AudioEffect::processDoubleReplacingEffect;
}

AudioEffect::~AudioEffect() {
    delete editor;
    editor = nullptr;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

// --- entry functions -------------------------------------------------------

AudioEffect* AudioEffect::fromRecord(AEffect* e) {
    if (!e || e->magic != kEffectMagic) return nullptr;
    return static_cast<AudioEffect*>(e->object);
}

intptr_t VST_CALL AudioEffect::dispatchEffect(AEffect* e, int32_t opcode, int32_t index,
                                              intptr_t value, void* ptr, float opt) {
    AudioEffect* effect = fromRecord(e);
    if (!effect) return 0;
    try {
        if (opcode == effClose) {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

namespace {

// Runs one operation on the effect behind a record, answering the fallback
// when the record is not ours or the operation throws.
template <typename R, typename Call>
R guarded(AEffect* e, R fallback, Call call) {
    if (AudioEffect* effect = AudioEffect::fromRecord(e)) {
        try {
            return call(*effect);
        } catch (...) {
        }
    }
    return fallback;
}

}  // namespace

void VST_CALL AudioEffect::processEffect(AEffect* e, float** inputs, float** outputs,
                                         int32_t sampleFrames) {
    guarded(e, 0, [&](AudioEffect& fx) {
        fx.process(inputs, outputs, sampleFrames);
        return 0;
    });
}

void VST_CALL AudioEffect::processReplacingEffect(AEffect* e, float** inputs, float** outputs,
                                                  int32_t sampleFrames) {
    guarded(e, 0, [&](AudioEffect& fx) {
        fx.processReplacing(inputs, outputs, sampleFrames);
        return 0;
    });
}

void VST_CALL AudioEffect::processDoubleReplacingEffect(AEffect* e, double** inputs,
                                                        double** outputs, int32_t sampleFrames) {
    guarded(e, 0, [&](AudioEffect& fx) {
        fx.processDoubleReplacing(inputs, outputs, sampleFrames);
        return 0;
    });
}

void VST_CALL AudioEffect::setParameterEffect(AEffect* e, int32_t index, float value) {
    guarded(e, 0, [&](AudioEffect& fx) {
        fx.setParameter(index, value);
        return 0;
    });
}

float VST_CALL AudioEffect::getParameterEffect(AEffect* e, int32_t index) {
    return guarded(e, 0.0f, [&](AudioEffect& fx) { return fx.getParameter(index); });
}

// --- dispatcher ------------------------------------------------------------

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
    // Every text opcode writes to or reads from the host's buffer.
    if (isTextOpcode(opcode) && !ptr) return 0;
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            // The Part compares only against the upper bound; a negative
            // program number is as invalid as one past the end.
            if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            setProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetProgramName:
            getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<int32_t>(value));
            return 0;
        case effMainsChanged:
            if (value != 0)
                resume();
            else
                suspend();
            return 0;
        case effEditGetRect:
            if (editor && ptr) return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
            return 0;
        case effEditOpen:
            if (editor) return editor->open(ptr) ? 1 : 0;
            return 0;
        case effEditClose:
            if (editor) editor->close();
            return 0;
        case effEditIdle:
            if (editor) editor->idle();
            return 0;
        case effIdentify:
            return vstFourCC('N', 'v', 'E', 'f');
        case effGetChunk:
            if (!ptr) return 0;
            return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk:
            // The size travels pointer-wide; the chunk interface is 32-bit.
            if (!ptr || value < 0 || value > INT32_MAX) return 0;
            return setChunk(ptr, static_cast<int32_t>(value), index != 0);
        default:
            return 0;
    }
}

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    if (isTextOpcode(opcode) && !ptr) return 0;
    switch (opcode) {
        case effProcessEvents:
            return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
        case effCanBeAutomated:
            return canParameterBeAutomated(index) ? 1 : 0;
        case effString2Parameter:
            return string2parameter(index, static_cast<char*>(ptr)) ? 1 : 0;
        case effGetProgramNameIndexed:
            return getProgramNameIndexed(static_cast<int32_t>(value), index,
                                         static_cast<char*>(ptr))
                       ? 1
                       : 0;
        case effGetInputProperties:
            return getInputProperties(index, ptr) ? 1 : 0;
        case effGetOutputProperties:
            return getOutputProperties(index, ptr) ? 1 : 0;
        case effGetPlugCategory:
            return getPlugCategory();
        case effOfflineNotify:
            return offlineNotify(ptr, static_cast<int32_t>(value), index != 0) ? 1 : 0;
        case effOfflinePrepare:
            return offlinePrepare(ptr, static_cast<int32_t>(value)) ? 1 : 0;
        case effOfflineRun:
            return offlineRun(ptr, static_cast<int32_t>(value)) ? 1 : 0;
        case effProcessVarIo:
            return processVariableIo(ptr) ? 1 : 0;
        case effSetSpeakerArrangement:
            return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                         static_cast<VstSpeakerArrangement*>(ptr))
                       ? 1
                       : 0;
        case effSetBypass:
            return setBypass(value != 0) ? 1 : 0;
        case effGetEffectName:
            return getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorString:
            return getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetProductString:
            return getProductString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effVendorSpecific:
            return vendorSpecific(index, value, ptr, opt);
        case effCanDo:
            return canDo(static_cast<char*>(ptr));
        case effGetTailSize:
            return getGetTailSize();
        case effGetParameterProperties:
            return getParameterProperties(index, ptr) ? 1 : 0;
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp:
            if (editor) {
                VstKeyCode key;
                key.character = index;
                key.virt = static_cast<unsigned char>(value & 0xFF);
                key.modifier = lowByteOf(opt);
                bool taken = opcode == effEditKeyDown ? editor->onKeyDown(key)
                                                      : editor->onKeyUp(key);
                return taken ? 1 : 0;
            }
            return 0;
        case effSetEditKnobMode:
            if (editor) return editor->setKnobMode(static_cast<int32_t>(value)) ? 1 : 0;
            return 0;
        case effGetMidiProgramName:
            return getMidiProgramName(index, ptr);
        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram(index, ptr);
        case effGetMidiProgramCategory:
            return getMidiProgramCategory(index, ptr);
        case effHasMidiProgramsChanged:
            return hasMidiProgramsChanged(index) ? 1 : 0;
        case effGetMidiKeyName:
            return getMidiKeyName(index, ptr) ? 1 : 0;
        case effBeginSetProgram:
            return beginSetProgram() ? 1 : 0;
        case effEndSetProgram:
            return endSetProgram() ? 1 : 0;
        case effGetSpeakerArrangement:
            return getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                         static_cast<VstSpeakerArrangement**>(ptr))
                       ? 1
                       : 0;
        case effShellGetNextPlugin:
            return getNextShellPlugin(static_cast<char*>(ptr));
        case effStartProcess:
            return startProcess();
        case effStopProcess:
            return stopProcess();
        case effSetTotalSampleToProcess:
            return setTotalSampleToProcess(static_cast<int32_t>(value));
        case effSetPanLaw:
            return setPanLaw(static_cast<int32_t>(value), opt) ? 1 : 0;
        case effBeginLoadBank:
            return beginLoadBank(ptr);
        case effBeginLoadProgram:
            return beginLoadProgram(ptr);
        case effSetProcessPrecision:
            return setProcessPrecision(static_cast<int32_t>(value)) ? 1 : 0;
        case effGetNumMidiInputChannels:
            return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels:
            return getNumMidiOutputChannels();
        default:
            if (opcode >= effProcessEvents && opcode <= effGetNumMidiOutputChannels) return 0;
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

// --- operations with a default behaviour -----------------------------------

void AudioEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    (void)inputs, (void)outputs, (void)sampleFrames;
}

void AudioEffect::processDoubleReplacing(double** inputs, double** outputs,
                                         int32_t sampleFrames) {
    (void)inputs, (void)outputs, (void)sampleFrames;
}

void AudioEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
    (void)inputs, (void)outputs, (void)sampleFrames;
}

void AudioEffect::setParameter(int32_t index, float value) { (void)index, (void)value; }

float AudioEffect::getParameter(int32_t index) {
    (void)index;
    return 0.0f;
}

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getProgramName(char* name) {
    if (name) *name = '\0';
}
void AudioEffect::getParameterLabel(int32_t, char* label) {
    if (label) *label = '\0';
}
void AudioEffect::getParameterDisplay(int32_t, char* text) {
    if (text) *text = '\0';
}
void AudioEffect::getParameterName(int32_t, char* text) {
    if (text) *text = '\0';
}

int32_t AudioEffect::getChunk(void** data, bool isPreset) {
    (void)data, (void)isPreset;
    return 0;
}

int32_t AudioEffect::setChunk(void* data, int32_t byteSize, bool isPreset) {
    (void)data, (void)byteSize, (void)isPreset;
    return 0;
}

int32_t AudioEffect::getMasterVersion() {
    if (!audioMaster) return 1;
    intptr_t version = callHost(audioMasterVersion);
    return version ? static_cast<int32_t>(version) : 1;
}

int32_t AudioEffect::getCurrentUniqueId() {
    return static_cast<int32_t>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(int32_t input) {
    return audioMaster ? callHost(audioMasterPinConnected, input, 0) == 0 : true;
}

bool AudioEffect::isOutputConnected(int32_t output) {
    return audioMaster ? callHost(audioMasterPinConnected, output, 1) == 0 : true;
}

// --- text helpers ----------------------------------------------------------

void AudioEffect::int2string(int32_t value, char* text, int32_t maxLen) {
    char buf[16];
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    if (magnitude > 99999999) {
        vstCopyText(text, "Huge!", maxLen);
        return;
    }
    int n = 0;
    if (value < 0) buf[n++] = '-';
    bool started = false;
    for (int64_t place = 100000000; place > 0; place /= 10) {
        int digit = static_cast<int>(magnitude / place % 10);
        if (digit || started || place == 1) {  // zero is written as "0"
            buf[n++] = static_cast<char>('0' + digit);
            started = true;
        }
    }
    buf[n] = '\0';
    vstCopyText(text, buf, maxLen);
}

void AudioEffect::float2string(float value, char* text, int32_t maxLen) {
    double v = value;
    // Beyond eight characters there is no faithful text; say so rather than
    // leave the host's buffer as it was.
    if (!(v <= 99999999.0 && v >= -9999999.0)) {
        vstCopyText(text, "Huge!", maxLen);
        return;
    }
    char digits[16];
    int count = 0;  // characters used so far
    bool negative = v < 0;
    if (negative) {
        ++count;
        v = -v;
    }
    double integer = std::floor(v);
    int ndigits = 0;
    auto whole = static_cast<int64_t>(integer);
    do {
        digits[ndigits++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
        ++count;
    } while (whole > 0 && count < 8);
    char buf[32];
    int n = 0;
    if (negative) buf[n++] = '-';
    while (ndigits > 0) buf[n++] = digits[--ndigits];
    buf[n++] = '.';
    ++count;
    int left = 8 - count;
    if (left > 0) {
        double fraction = std::fmod(v, 1.0) * std::pow(10.0, left);
        auto f = static_cast<int64_t>(fraction);
        for (int i = left - 1; i >= 0; --i) {
            buf[n + i] = f > 0 ? static_cast<char>('0' + f % 10) : '0';
            f /= 10;
        }
        n += left;
    }
    buf[n] = '\0';
    vstCopyText(text, buf, maxLen);
}

void AudioEffect::dB2string(float value, char* text, int32_t maxLen) {
    if (value <= 0.0f)
        vstCopyText(text, "-oo", maxLen);
    else
        float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, int32_t maxLen) {
    float2string(samples == 0.0f ? 0.0f : getSampleRate() / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, int32_t maxLen) {
    float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

// --- AudioEffectX ----------------------------------------------------------

void AudioEffectX::resume() {
    if (cEffect.flags & effFlagsIsSynth) {
        wantEvents(1);
        return;
    }
    char text[] = "receiveVstMidiEvent";
    if (canDo(text) == 1) wantEvents(1);
}

bool AudioEffectX::beginEdit(int32_t index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(int32_t index) { return callHost(audioMasterEndEdit, index) != 0; }
bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

double AudioEffectX::updateSampleRate() {
    intptr_t rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) sampleRate = static_cast<float>(rate);
    return sampleRate;
}

int32_t AudioEffectX::updateBlockSize() {
    intptr_t size = callHost(audioMasterGetBlockSize);
    if (size > 0) blockSize = static_cast<int32_t>(size);
    return blockSize;
}

int32_t AudioEffectX::getInputLatency() {
    return static_cast<int32_t>(callHost(audioMasterGetInputLatency));
}
int32_t AudioEffectX::getOutputLatency() {
    return static_cast<int32_t>(callHost(audioMasterGetOutputLatency));
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input,
                                         VstSpeakerArrangement** output) {
    if (input) *input = nullptr;
    if (output) *output = nullptr;
    return false;
}

VstTimeInfo* AudioEffectX::getTimeInfo(int32_t filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

int32_t AudioEffectX::getCurrentProcessLevel() {
    return static_cast<int32_t>(callHost(audioMasterGetCurrentProcessLevel));
}
int32_t AudioEffectX::getAutomationState() {
    return static_cast<int32_t>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString(char* text) {
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}
bool AudioEffectX::getHostProductString(char* text) {
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}
int32_t AudioEffectX::getHostVendorVersion() {
    return static_cast<int32_t>(callHost(audioMasterGetVendorVersion));
}
intptr_t AudioEffectX::hostVendorSpecific(int32_t lArg1, intptr_t lArg2, void* ptrArg,
                                          float floatArg) {
    return callHost(audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}
int32_t AudioEffectX::canHostDo(char* text) {
    return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}
int32_t AudioEffectX::getHostLanguage() {
    return static_cast<int32_t>(callHost(audioMasterGetLanguage));
}
void* AudioEffectX::getDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}
bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::sizeWindow(int32_t width, int32_t height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}
bool AudioEffectX::openFileSelector(void* selector) {
    return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}
bool AudioEffectX::closeFileSelector(void* selector) {
    return selector && callHost(audioMasterCloseFileSelector, 0, 0, selector) != 0;
}
bool AudioEffectX::getChunkFile(void* nativePath) {
    return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, int32_t nbChannels) {
    if (!arrangement || nbChannels < 0) return false;
    deallocateArrangement(arrangement);
    // The record declares eight speakers; an arrangement for n speakers
    // needs room for n of them after the two header fields.
    size_t size = offsetof(VstSpeakerArrangement, speakers) +
                  static_cast<size_t>(nbChannels) * sizeof(VstSpeakerProperties);
    if (size < sizeof(VstSpeakerArrangement)) size = sizeof(VstSpeakerArrangement);
    void* memory = std::calloc(1, size);
    if (!memory) return false;
    *arrangement = static_cast<VstSpeakerArrangement*>(memory);
    (*arrangement)->numChannels = nbChannels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (!arrangement) return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (!to || !from) return false;
    vstCopyText(to->name, from->name, 63);
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    to->type = from->type;
    std::memcpy(to->future, from->future, sizeof to->future);
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (!from || !deallocateArrangement(to)) return false;
    if (!allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    for (int32_t i = 0; i < from->numChannels; ++i)
        if (!copySpeaker(&(*to)->speakers[i], &from->speakers[i])) return false;
    return true;
}

bool AudioEffectX::offlineRead(void* offline, int32_t option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}
bool AudioEffectX::offlineWrite(void* offline, int32_t option) {
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}
bool AudioEffectX::offlineStart(void* audioFiles, int32_t numAudioFiles,
                                int32_t numNewAudioFiles) {
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}
int32_t AudioEffectX::offlineGetCurrentPass() {
    return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}
int32_t AudioEffectX::offlineGetCurrentMetaPass() {
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::wantEvents(int32_t filter) { callHost(audioMasterWantMidi, 0, filter); }
int32_t AudioEffectX::tempoAt(int32_t pos) {
    return static_cast<int32_t>(callHost(audioMasterTempoAt, 0, pos));
}
int32_t AudioEffectX::getNumAutomatableParameters() {
    return static_cast<int32_t>(callHost(audioMasterGetNumAutomatableParameters));
}
int32_t AudioEffectX::getParameterQuantization() {
    return static_cast<int32_t>(callHost(audioMasterGetParameterQuantization));
}
bool AudioEffectX::needIdle() { return callHost(audioMasterNeedIdle) != 0; }
AEffect* AudioEffectX::getPreviousPlug(int32_t input) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, input));
}
AEffect* AudioEffectX::getNextPlug(int32_t output) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, output));
}
int32_t AudioEffectX::willProcessReplacing() {
    return static_cast<int32_t>(callHost(audioMasterWillReplaceOrAccumulate));
}
void AudioEffectX::setOutputSamplerate(float samplerate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}
VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetInputSpeakerArrangement));
}
VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetOutputSpeakerArrangement));
}
void* AudioEffectX::openWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}
bool AudioEffectX::closeWindow(void* window) {
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}
