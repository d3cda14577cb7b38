// The generic plug-in shell: the one effect class, which turns host requests
// into calls of its client's callback record and knows nothing of scripts.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audioeffect.h"
#include "vestcallbacks.h"

namespace VSTGUI {
class CBaseObject;
class CDrawContext;
}  // namespace VSTGUI

class CVeST : public AudioEffectX {
public:
    enum : int32_t { kMidiRingSize = 1000 };

    // The creation function: asks the host for its version first and
    // creates nothing when it answers 0. Runs the client's onCreate last.
    static CVeST* create(void* client, const VeSTCallbacks& callbacks, audioMasterCallback host,
                         int32_t numPrograms, int32_t numParams);
    ~CVeST() override;

    void open() override;
    void close() override;
    void suspend() override;
    void resume() override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) override;
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32_t index, char* label) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;
    int32_t getChunk(void** data, bool isPreset) override;
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override;
    // Audio thread, before the process call of the same block.
    int32_t processEvents(VstEvents* events) override;
    int32_t canDo(char* text) override;

    // Reads the next received MIDI event into the four out values; answers
    // false (and zeroes them) when the ring is empty.
    bool readMidi(int32_t& deltaFrames, int32_t& status, int32_t& data1, int32_t& data2);

    void* client;
    // Set by the script view only while the client draws; editor thread.
    VSTGUI::CDrawContext* drawContext = nullptr;
    int32_t midiWriteIndex = 0;
    int32_t midiReadIndex = 0;
    // Font descriptions, each holding one reference; editor thread.
    std::vector<VSTGUI::CBaseObject*> fontCache;
    std::unique_ptr<VstMidiEvent[]> midiRing;
    VeSTCallbacks callbacks;

private:
    CVeST(void* client, const VeSTCallbacks& callbacks, audioMasterCallback host,
          int32_t numPrograms, int32_t numParams);
    bool validParameter(int32_t index) const { return index >= 0 && index < cEffect.numParams; }
};
