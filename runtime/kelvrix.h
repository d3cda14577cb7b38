// The script object: the runtime's layers, each adding one group of state a
// translated script sees as variables or services, topped by TKelvrix, whose
// virtual operations are the script's sections and lifecycle hooks.
//
// Threads: the sample, block and slider sections run on the host's audio and
// parameter threads, the display and idle operations on the editor's window
// thread. Nothing here locks; shared members are single doubles or int32s.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "kelvrixnumbers.h"

class CVeST;
struct BitmapSlot;

// Script memory: 2^32 cells of doubles, allocated 65536 at a time on first
// touch, so a script may address a sparse range cheaply.
class CKelvrixMemory {
public:
    enum : int32_t { kPageSize = 65536 };

    // Any int32 names exactly one cell; negative indices lie on their own
    // pages (-1 is the last cell of page -1). The reference stays valid until
    // the next reset or the end of the object.
    double& memoryAt(int32_t index);

    std::map<int32_t, std::vector<double>> pages;

protected:
    CKelvrixMemory() = default;
    ~CKelvrixMemory() = default;
};

class CKelvrixVeST : public CKelvrixMemory {
public:
    // Not owned: the shell owns the script object. Null until the entry
    // point has created the shell.
    CVeST* shell = nullptr;

protected:
    CKelvrixVeST() = default;
    ~CKelvrixVeST() = default;
};

class CKelvrixSliders : public CKelvrixVeST {
public:
    enum : int32_t { kSliderCount = 128 };

    virtual void doSlider() {}

    // Indexed by slider number; fixed size so the audio path never allocates.
    std::array<double, kSliderCount> sliderValues{};

protected:
    CKelvrixSliders() = default;
    ~CKelvrixSliders() = default;
};

class CKelvrixSamples : public CKelvrixSliders {
public:
    enum : int32_t { kMaxChannels = 64 };

    virtual void doBlock() {}
    virtual void doSample() {}

    // The current frame's samples, element k for channel k. The sample
    // section overwrites them in place; what it leaves is the output.
    std::array<double, kMaxChannels> samples{};

protected:
    CKelvrixSamples() = default;
    ~CKelvrixSamples() = default;
};

// One declared slider, published as one host parameter.
struct CKelvrixSliderRecord {
    std::vector<std::string> items;  // data-file names shown instead of the number
    bool itemsPrepared = false;
    int32_t sliderNumber = 0;
    double* boundVariable = nullptr;  // not owned, may be null
    double defaultValue = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
    std::string dataPath;
    std::string extraText;
    std::string label;
    std::string name;
};

class CKelvrixDescription : public CKelvrixSamples {
public:
    // Script constructor only, before the shell exists: declares a slider
    // and answers its host parameter index. A data path names a folder
    // (relative to the module's, ending with a separator) whose plain files
    // become the slider's items. A slider number outside 0 to 127 declares
    // nothing and answers -1.
    int32_t addSlider(int32_t number, double* variable, double defaultValue, double minimum,
                      double maximum, double step, const std::string& dataPath,
                      const std::string& extraText, const std::string& label,
                      const std::string& name);

    // The host's parameter calls, on whatever thread the host uses. Indices
    // outside the declared sliders are ignored (getParameter answers 0).
    // Normalised value of the slider; not clamped, and 0 for an empty range.
    double getParameter(int32_t index) const;
    // Quantises to the slider's step (counted from zero) and runs the slider
    // section when the value changes by 0.00001 or more.
    void setParameter(int32_t index, double value);
    // The texts go into host buffers of kVstMaxParamStrLen + 1 bytes.
    void getParameterName(int32_t index, char* text) const;
    void getParameterLabel(int32_t index, char* text) const;
    void getParameterDisplay(int32_t index, char* text) const;

    // Position = host parameter index.
    std::vector<CKelvrixSliderRecord> sliderRecords;
    std::string effectName;
    std::string productString;
    std::string vendorString;
    std::string programName;
    int32_t vendorVersion = 0;
    int32_t uniqueID = 0;
    int32_t channelCount = 0;

protected:
    CKelvrixDescription() = default;
    ~CKelvrixDescription() = default;
};

class CKelvrixStrings : public CKelvrixDescription {
public:
    // Stores a copy of the text under the id; answers the id.
    int32_t registerLiteral(int32_t id, const std::string& text);
    // The text stored under the id; an id without an entry gets an empty one.
    const std::string& stringText(int32_t id);

    std::map<int32_t, std::string> strings;
    double stringCount = 0.0;  // entries of strings, for the script

protected:
    CKelvrixStrings() = default;
    ~CKelvrixStrings() = default;
};

struct CKelvrixFileRecord {
    enum : int32_t { kIdle = 0, kReading = 1, kWriting = 2 };

    std::string fileName;  // relative to the module's folder; empty for the state record
    int32_t position = 0;
    std::vector<float> values;
    int32_t mode = kIdle;
};

class CKelvrixFiles : public CKelvrixStrings {
public:
    // Moves one value between a script variable and the record: appended at
    // the position while writing, read from it while reading (when one is
    // left), nothing otherwise.
    static void fileVar(CKelvrixFileRecord& record, double& variable);
    // Writes a named write record out to its file (one byte per value), then
    // empties the record; its mode stays for the caller to set.
    static void resetRecord(CKelvrixFileRecord& record);

    // Record 0 exists from the start and carries the saved state.
    std::vector<CKelvrixFileRecord> files{CKelvrixFileRecord{}};
    // The last state handed to the host, little-endian singles. Kept apart
    // from record 0 so a host may hand these very bytes back.
    std::vector<unsigned char> stateChunk;

protected:
    CKelvrixFiles() = default;
    ~CKelvrixFiles();
};

struct CKelvrixFont {
    std::string face;
    double size = 0.0;
    int32_t flags = 0;
};

class CKelvrixFonts : public CKelvrixFiles {
public:
    std::map<int32_t, CKelvrixFont> fonts;
    double fontHeight = 0.0;

protected:
    CKelvrixFonts() = default;
    ~CKelvrixFonts() = default;
};

class CKelvrixGraphics : public CKelvrixFonts {
public:
    // Images the script loads through the drawing interface. That interface
    // comes with the editor; until then no slot is ever created, so the
    // object has none to release when it ends.
    std::map<int32_t, BitmapSlot*> images;
    double gfxX = 0.0;
    double gfxY = 0.0;
    double frameRate = 0.0;  // timed redraws per second; 0 or less: none

protected:
    CKelvrixGraphics() = default;
    ~CKelvrixGraphics() = default;
};

class CKelvrixMouse : public CKelvrixGraphics {
public:
    double mouseCap = 0.0;
    double mouseX = 0.0;
    double mouseY = 0.0;

protected:
    CKelvrixMouse() = default;
    ~CKelvrixMouse() = default;
};

class TKelvrix : public CKelvrixMouse {
public:
    TKelvrix();
    virtual ~TKelvrix();

    // effOpen (control thread): memory and strings start from zero.
    virtual void reset();
    virtual void doClose() {}
    virtual void doSuspend() {}
    // Every resume runs the init section, then the slider section.
    virtual void doResume();
    virtual void doInit() {}
    // Runs the init section only if it never ran through here; answers how
    // often it has been called.
    virtual int32_t initOnce();
    virtual void doGfx() {}
    // Editor idle (window thread): asks for a redraw when more than
    // 1000 / frameRate milliseconds have passed since the last request.
    virtual void doIdle();
    virtual void doSerialize() {}
    // Host's calling thread. A state starts with the marker -1000, then the
    // values the serialize section exchanges; the restore runs the init
    // section once in the object's life, then serialize, then slider.
    // loadState answers the length it was given whatever the bytes hold.
    virtual int32_t loadState(const void* bytes, int32_t length);
    // Answers the chunk's length, 0 (out untouched) when the serialize
    // section wrote nothing; the bytes stay valid until the next state
    // operation.
    virtual int32_t saveState(void** out);

    int32_t redrawClock = 0;
    int32_t initCount = 0;
    // The clock doIdle reads; replaceable so timed behaviour can be driven
    // without waiting.
    int32_t (*readClock)() = nullptr;

    TKelvrix(const TKelvrix&) = delete;
    TKelvrix& operator=(const TKelvrix&) = delete;
};

// Absolute name of a file relative to the plug-in module's folder: one
// leading separator of the name is dropped, and the name is appended to the
// folder (kept with its trailing separator) as it is.
std::string moduleRelativePath(const std::string& name);
// The same against a given module file name.
std::string moduleRelativePath(const std::string& moduleFile, const std::string& name);

// Appends the names of the plain files of a folder, in listing order,
// leaving out hidden entries (a leading "."), folders and entries whose
// status cannot be read. The folder is joined to each name as it is, so it
// must end with a separator.
void listDataFiles(const std::string& folder, std::vector<std::string>& list);
