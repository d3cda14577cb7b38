// The two effect base classes of the plug-in side: they own the record the
// host holds, decode every dispatcher opcode into a virtual operation with a
// default behaviour, and wrap the host callback in named operations.
// Virtual operations are declared in their slot order.
#pragma once

#include <cstdint>

#include "aeffeditor.h"
#include "vst24.h"

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();

    // Host's control thread. Decodes opcodes 0 to 24.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(int32_t size) { blockSize = size; }
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
    virtual void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames);
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    virtual void setParameterAutomated(int32_t index, float value);
    virtual int32_t getProgram() { return curProgram; }
    virtual void setProgram(int32_t program) { curProgram = program; }
    virtual void setProgramName(char* name) { (void)name; }
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32_t index, char* label);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setUniqueID(int32_t id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(int32_t inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(int32_t outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(int32_t delay) { cEffect.initialDelay = delay; }
    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual int32_t getBlockSize() { return blockSize; }
    virtual int32_t getMasterVersion();
    virtual int32_t getCurrentUniqueId();
    virtual void masterIdle();
    virtual void dB2string(float value, char* text, int32_t maxLen);
    virtual void Hz2string(float samples, char* text, int32_t maxLen);
    virtual void ms2string(float samples, char* text, int32_t maxLen);
    virtual void float2string(float value, char* text, int32_t maxLen);
    virtual void int2string(int32_t value, char* text, int32_t maxLen);
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames);
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(int32_t qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities(int32_t qualities) { cEffect.offQualities = qualities; }
    virtual bool isInputConnected(int32_t input);
    virtual bool isOutputConnected(int32_t output);

    // Not virtual: stores the editor (owned from now on) and keeps the
    // has-editor flag in step with it.
    void setEditor(AEffEditor* newEditor);

    // Static entry functions stored in the record. Each finds the effect
    // through the record's object field and lets no exception escape.
    static intptr_t VST_CALL dispatchEffect(AEffect* e, int32_t opcode, int32_t index,
                                            intptr_t value, void* ptr, float opt);
    static void VST_CALL processEffect(AEffect* e, float** inputs, float** outputs,
                                       int32_t sampleFrames);
    static void VST_CALL processReplacingEffect(AEffect* e, float** inputs, float** outputs,
                                                int32_t sampleFrames);
    static void VST_CALL processDoubleReplacingEffect(AEffect* e, double** inputs,
                                                      double** outputs, int32_t sampleFrames);
    static void VST_CALL setParameterEffect(AEffect* e, int32_t index, float value);
    static float VST_CALL getParameterEffect(AEffect* e, int32_t index);

    // The object behind a record handed out by this library, or null.
    static AudioEffect* fromRecord(AEffect* e);

protected:
    void setFlag(int32_t flag, bool state) {
        if (state)
            cEffect.flags |= flag;
        else
            cEffect.flags &= ~flag;
    }
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0,
                      void* ptr = nullptr, float opt = 0.0f);

public:
    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    int32_t blockSize = 1024;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram = 0;
    AEffect cEffect;

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;
};

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
        : AudioEffect(audioMaster, numPrograms, numParams) {}

    // Decodes opcodes 25 to 79, the rest goes to the base.
    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                        float opt) override;
    void resume() override;

    virtual bool canParameterBeAutomated(int32_t index) {
        (void)index;
        return true;
    }
    virtual bool string2parameter(int32_t index, char* text) {
        (void)index, (void)text;
        return false;
    }
    virtual bool getParameterProperties(int32_t index, void* properties) {
        (void)index, (void)properties;
        return false;
    }
    virtual bool beginEdit(int32_t index);
    virtual bool endEdit(int32_t index);
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text) {
        (void)category, (void)index, (void)text;
        return false;
    }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual int32_t beginLoadBank(void* patchChunkInfo) {
        (void)patchChunkInfo;
        return 0;
    }
    virtual int32_t beginLoadProgram(void* patchChunkInfo) {
        (void)patchChunkInfo;
        return 0;
    }
    virtual bool ioChanged();
    virtual double updateSampleRate();
    virtual int32_t updateBlockSize();
    virtual int32_t getInputLatency();
    virtual int32_t getOutputLatency();
    virtual bool getInputProperties(int32_t index, void* properties) {
        (void)index, (void)properties;
        return false;
    }
    virtual bool getOutputProperties(int32_t index, void* properties) {
        (void)index, (void)properties;
        return false;
    }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* input,
                                       VstSpeakerArrangement* output) {
        (void)input, (void)output;
        return false;
    }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input,
                                       VstSpeakerArrangement** output);
    virtual bool setBypass(bool onOff) {
        (void)onOff;
        return false;
    }
    virtual bool setPanLaw(int32_t type, float value) {
        (void)type, (void)value;
        return false;
    }
    virtual bool setProcessPrecision(int32_t precision) {
        (void)precision;
        return false;
    }
    virtual int32_t getNumMidiInputChannels() { return 0; }
    virtual int32_t getNumMidiOutputChannels() { return 0; }
    virtual VstTimeInfo* getTimeInfo(int32_t filter);
    virtual int32_t getCurrentProcessLevel();
    virtual int32_t getAutomationState();
    virtual int32_t processEvents(VstEvents* events) {
        (void)events;
        return 0;
    }
    virtual int32_t startProcess() { return 0; }
    virtual int32_t stopProcess() { return 0; }
    virtual bool processVariableIo(void* variableIo) {
        (void)variableIo;
        return false;
    }
    virtual int32_t setTotalSampleToProcess(int32_t value) { return value; }
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual int32_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t lArg1, intptr_t lArg2, void* ptrArg, float floatArg);
    virtual int32_t canHostDo(char* text);
    virtual int32_t getHostLanguage();
    virtual void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
    virtual void noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
    virtual int32_t getGetTailSize() { return 0; }
    virtual void* getDirectory();
    virtual bool getEffectName(char* name) {
        (void)name;
        return false;
    }
    virtual bool getVendorString(char* text) {
        (void)text;
        return false;
    }
    virtual bool getProductString(char* text) {
        (void)text;
        return false;
    }
    virtual int32_t getVendorVersion() { return 0; }
    virtual intptr_t vendorSpecific(int32_t lArg, intptr_t lArg2, void* ptrArg, float floatArg) {
        (void)lArg, (void)lArg2, (void)ptrArg, (void)floatArg;
        return 0;
    }
    virtual int32_t canDo(char* text) {
        (void)text;
        return 0;
    }
    virtual int32_t getVstVersion() { return kVstVersion; }
    virtual int32_t getPlugCategory() {
        return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
    }
    virtual int32_t getMidiProgramName(int32_t channel, void* midiProgramName) {
        (void)channel, (void)midiProgramName;
        return 0;
    }
    virtual int32_t getCurrentMidiProgram(int32_t channel, void* currentProgram) {
        (void)channel, (void)currentProgram;
        return -1;
    }
    virtual int32_t getMidiProgramCategory(int32_t channel, void* category) {
        (void)channel, (void)category;
        return 0;
    }
    virtual bool hasMidiProgramsChanged(int32_t channel) {
        (void)channel;
        return false;
    }
    virtual bool getMidiKeyName(int32_t channel, void* keyName) {
        (void)channel, (void)keyName;
        return false;
    }
    virtual bool updateDisplay();
    virtual bool sizeWindow(int32_t width, int32_t height);
    virtual bool openFileSelector(void* selector);
    virtual bool closeFileSelector(void* selector);
    virtual int32_t getNextShellPlugin(char* name) {
        (void)name;
        return 0;
    }
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, int32_t nbChannels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);
    virtual bool offlineRead(void* offline, int32_t option, bool readSource);
    virtual bool offlineWrite(void* offline, int32_t option);
    virtual bool offlineStart(void* audioFiles, int32_t numAudioFiles, int32_t numNewAudioFiles);
    virtual int32_t offlineGetCurrentPass();
    virtual int32_t offlineGetCurrentMetaPass();
    virtual bool offlineNotify(void* ptr, int32_t numAudioFiles, bool start) {
        (void)ptr, (void)numAudioFiles, (void)start;
        return false;
    }
    virtual bool offlinePrepare(void* offline, int32_t count) {
        (void)offline, (void)count;
        return false;
    }
    virtual bool offlineRun(void* offline, int32_t count) {
        (void)offline, (void)count;
        return false;
    }
    virtual int32_t offlineGetNumPasses() { return 0; }
    virtual int32_t offlineGetNumMetaPasses() { return 0; }
    virtual void wantEvents(int32_t filter);
    virtual int32_t tempoAt(int32_t pos);
    virtual int32_t getNumAutomatableParameters();
    virtual int32_t getParameterQuantization();
    virtual int32_t getNumCategories() { return 1; }
    virtual bool copyProgram(int32_t destination) {
        (void)destination;
        return false;
    }
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug(int32_t input);
    virtual AEffect* getNextPlug(int32_t output);
    virtual void inputConnected(int32_t index, bool state) { (void)index, (void)state; }
    virtual void outputConnected(int32_t index, bool state) { (void)index, (void)state; }
    virtual int32_t willProcessReplacing();
    virtual void wantAsyncOperation(bool state) { setFlag(effFlagsWantAsyncOperation, state); }
    virtual void hasExternalBuffer(bool state) { setFlag(effFlagsHasExternalBuffer, state); }
    virtual int32_t reportCurrentPosition() { return 0; }
    virtual float* reportDestinationBuffer() { return nullptr; }
    virtual void setOutputSamplerate(float samplerate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow(void* window);
    virtual bool closeWindow(void* window);
    virtual void setBlockSizeAndSampleRate(int32_t size, float rate) {
        blockSize = size;
        sampleRate = rate;
    }
    // Deprecated; kept for their slots.
    virtual bool getErrorText(char* text) {
        (void)text;
        return false;
    }
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition(int32_t x, int32_t y) {
        (void)x, (void)y;
        return false;
    }
    virtual int32_t fxIdle() { return 0; }
    virtual bool keysRequired() { return false; }
    virtual bool getChunkFile(void* nativePath);

    // Not virtual: true only when the host answers exactly 1.
    bool sendVstEventsToHost(VstEvents* events);
};
