// The shell as a host reaches it: through the effect record and its
// dispatcher, with a logging client and with a client of null entries.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fixtures.h"
#include "vstgui/cbaseobject.h"

using namespace testing_shell;

namespace {

struct Shell {
    FakeHost host;
    LoggingClient client;
    AEffect* effect = nullptr;
    bool destroyed = false;

    explicit Shell(bool withTable = true, int32_t numParams = 3) {
        client.destroyed = &destroyed;
        VeSTCallbacks table = withTable ? LoggingClient::table() : VeSTCallbacks{};
        CVeST* s = VeSTCreate(&client, &table, &FakeHost::callback, 1, numParams);
        effect = VeSTGetAEffect(s);
    }
    ~Shell() {
        if (effect && !destroyed) close();
    }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    intptr_t close() {
        intptr_t r = dispatch(effClose);
        effect = nullptr;
        return r;
    }
    CVeST* shell() { return static_cast<CVeST*>(effect->object); }
    std::string lastCall() { return client.log.empty() ? "" : client.log.back(); }
};

TEST(ShellCreation, HostThatAnswersVersionZeroGetsNoShell) {
    FakeHost host;
    host.versionAnswer = 0;
    LoggingClient client;
    VeSTCallbacks table = LoggingClient::table();
    EXPECT_EQ(VeSTCreate(&client, &table, &FakeHost::callback, 1, 0), nullptr);
    EXPECT_EQ(client.created, 0);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_FALSE(host.calls[0].hadEffect);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(VeSTCreate(&client, &table, nullptr, 1, 0), nullptr);
}

TEST(ShellCreation, RecordAsTheBaseAndShellFillIt) {
    Shell s;
    AEffect* e = s.effect;
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(s.client.created, 1);
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 3);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsCanDoubleReplacing);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->uniqueID, 0x4E6F4566);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    EXPECT_EQ(VeSTGetClient(s.shell()), &s.client);
    for (char c : e->future) EXPECT_EQ(c, 0);
}

// Each host request reaches the client entry of the same name, with the
// arguments converted as the shell promises.
TEST(ShellForwarding, DispatcherOpcodesReachTheirEntries) {
    Shell s;
    char text[256];
    void* chunk = nullptr;
    struct Case {
        int32_t opcode;
        int32_t index;
        intptr_t value;
        void* ptr;
        float opt;
        const char* call;
        intptr_t result;
    } cases[] = {
        {effOpen, 0, 0, nullptr, 0, "onOpen", 0},
        {effMainsChanged, 0, 1, nullptr, 0, "onResume", 0},
        {effMainsChanged, 0, 0, nullptr, 0, "onSuspend", 0},
        {effMainsChanged, 0, -3, nullptr, 0, "onResume", 0},
        {effSetProgramName, 0, 0, (void*)"abc", 0, "setProgramName(abc)", 0},
        {effGetProgramName, 0, 0, text, 0, "getProgramName", 0},
        {effGetParamLabel, 2, 0, text, 0, "getParameterLabel(2)", 0},
        {effGetParamDisplay, 1, 0, text, 0, "getParameterDisplay(1)", 0},
        {effGetParamName, 0, 0, text, 0, "getParameterName(0)", 0},
        {effGetChunk, 1, 0, &chunk, 0, "getChunk(preset)", 4},
        {effGetChunk, 0, 0, &chunk, 0, "getChunk(bank)", 4},
        {effSetChunk, 0, 7, text, 0, "setChunk(7,bank)", 7},
        {effSetChunk, 5, 9, text, 0, "setChunk(9,preset)", 9},
        {effGetProgramNameIndexed, 4, 2, text, 0, "getProgramNameIndexed(2,4)", 0},
        {effGetEffectName, 0, 0, text, 0, "getEffectName", 1},
        {effGetVendorString, 0, 0, text, 0, "getVendorString", 1},
        {effGetProductString, 0, 0, text, 0, "getProductString", 1},
        {effGetVendorVersion, 0, 0, nullptr, 0, "getVendorVersion", 1234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        s.client.log.clear();
        EXPECT_EQ(s.dispatch(c.opcode, c.index, c.value, c.ptr, c.opt), c.result);
        ASSERT_EQ(s.client.log.size(), 1u);
        EXPECT_EQ(s.client.log[0], c.call);
    }
    EXPECT_EQ(chunk, LoggingClient::chunkBytes);

    // A text entry's nonzero answer reads as a bool result.
    s.client.textAnswer = 7;
    EXPECT_EQ(s.dispatch(effGetVendorString, 0, 0, text), 1);
    s.client.textAnswer = 0;
    EXPECT_EQ(s.dispatch(effGetEffectName, 0, 0, text), 0);
}

TEST(ShellForwarding, ProcessAndParameterEntries) {
    Shell s;
    float fin[4] = {}, fout[4] = {};
    float* fi[] = {fin, fin};
    float* fo[] = {fout, fout};
    s.effect->processReplacing(s.effect, fi, fo, 4);
    EXPECT_EQ(s.lastCall(), "processReplacing(4)");
    double din[4] = {}, dout[4] = {};
    double* di[] = {din, din};
    double* dout2[] = {dout, dout};
    s.effect->processDoubleReplacing(s.effect, di, dout2, 3);
    EXPECT_EQ(s.lastCall(), "processDoubleReplacing(3)");
    s.client.log.clear();
    s.effect->process(s.effect, fi, fo, 4);  // the accumulating entry does nothing
    EXPECT_TRUE(s.client.log.empty());

    // The host's float is widened exactly; the client's double is narrowed
    // to the nearest float.
    s.effect->setParameter(s.effect, 1, 0.1f);
    EXPECT_EQ(s.lastCall(), "setParameter(1," + num(static_cast<double>(0.1f)) + ")");
    s.client.parameterAnswer = 0.1;
    EXPECT_EQ(s.effect->getParameter(s.effect, 2), 0.1f);
    s.client.parameterAnswer = 1.0 / 3.0;
    EXPECT_EQ(s.effect->getParameter(s.effect, 0), static_cast<float>(1.0 / 3.0));
}

TEST(ShellForwarding, ParameterIndicesOutsideTheRecordNeverReachTheClient) {
    Shell s;  // three parameters
    char text[16] = "untouched";
    for (int32_t index : {-1, 3, 1000, std::numeric_limits<int32_t>::min()}) {
        s.client.log.clear();
        s.effect->setParameter(s.effect, index, 0.5f);
        EXPECT_EQ(s.effect->getParameter(s.effect, index), 0.0f);
        for (int32_t op : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(s.dispatch(op, index, 0, text), 0);
        EXPECT_TRUE(s.client.log.empty()) << index;
        EXPECT_STREQ(text, "untouched");
    }
}

TEST(ShellForwarding, NullHostPointersAndBadChunkSizesAreRefused) {
    Shell s;
    s.client.log.clear();
    for (int32_t op : {effGetProgramName, effSetProgramName, effGetParamName, effGetParamLabel,
                       effGetParamDisplay, effGetEffectName, effGetVendorString,
                       effGetProductString, effGetProgramNameIndexed, effGetChunk,
                       effSetChunk, effProcessEvents, effEditGetRect})
        EXPECT_EQ(s.dispatch(op, 0, 4, nullptr), 0) << op;
    char bytes[4] = {};
    EXPECT_EQ(s.dispatch(effSetChunk, 0, -1, bytes), 0);
    if (sizeof(intptr_t) == 8) {
        EXPECT_EQ(s.dispatch(effSetChunk, 0, static_cast<intptr_t>(INT64_C(1) << 33), bytes), 0);
    }
    EXPECT_TRUE(s.client.log.empty()) << ::testing::PrintToString(s.client.log);
    EXPECT_EQ(s.dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST(ShellForwarding, CloseRunsOnCloseThenDestroysShellAndClient) {
    Shell s;
    EXPECT_EQ(s.close(), 1);
    EXPECT_TRUE(s.destroyed);
    ASSERT_GE(s.client.log.size(), 2u);
    EXPECT_EQ(s.client.log[s.client.log.size() - 2], "onClose");
    EXPECT_EQ(s.client.log.back(), "onDestroy");
}

namespace {
struct CountedFont : VSTGUI::CBaseObject {
    static int alive;
    std::vector<std::string>* log;
    explicit CountedFont(std::vector<std::string>* log) : log(log) { ++alive; }
    ~CountedFont() override {
        --alive;
        log->push_back("font released");
    }
};
int CountedFont::alive = 0;
}  // namespace

TEST(ShellForwarding, DestructionReleasesFontsBeforeTheClient) {
    Shell s;
    s.shell()->fontCache.push_back(new CountedFont(&s.client.log));
    s.shell()->fontCache.push_back(nullptr);
    s.shell()->fontCache.push_back(new CountedFont(&s.client.log));
    s.close();
    EXPECT_EQ(CountedFont::alive, 0);
    ASSERT_GE(s.client.log.size(), 3u);
    EXPECT_EQ(s.client.log.back(), "onDestroy");
    EXPECT_EQ(s.client.log[s.client.log.size() - 2], "font released");
}

// Every opcode, decoded or not, is safe with a client of null entries and
// gives the documented default.
TEST(ShellNullClient, EveryOpcodeAnswersItsDefault) {
    Shell s(false, 2);
    char text[64];
    void* chunkPtr = reinterpret_cast<void*>(1);
    VstSpeakerArrangement* in = reinterpret_cast<VstSpeakerArrangement*>(&text);
    VstSpeakerArrangement* out = in;
    for (int32_t op = -2; op <= 100; ++op) {
        if (op == effClose) continue;
        std::memset(text, 'x', sizeof text);
        text[63] = 0;
        void* ptr = text;
        intptr_t value = 0;
        if (op == effGetChunk) ptr = &chunkPtr;
        if (op == effGetSpeakerArrangement) {
            ptr = &out;
            value = reinterpret_cast<intptr_t>(&in);
        }
        if (op == effProcessEvents) {
            static VstEvents none{};
            ptr = &none;
        }
        intptr_t r = s.dispatch(op, 0, value, ptr, 0.0f);
        intptr_t expected = 0;
        switch (op) {
            case effIdentify: expected = 0x4E764566; break;
            case effGetVstVersion: expected = 2400; break;
            case effCanBeAutomated: expected = 1; break;
            case effGetCurrentMidiProgram: expected = -1; break;
            case effCanDo: expected = -1; break;
            case effProcessEvents: expected = 1; break;
            default: break;
        }
        EXPECT_EQ(r, expected) << "opcode " << op;
        if (op == effGetSpeakerArrangement) {
            EXPECT_EQ(in, nullptr);
            EXPECT_EQ(out, nullptr);
        } else if (op != effSetProgramName) {
            EXPECT_EQ(text[0], 'x') << "opcode " << op << " touched the buffer";
        }
    }
    float buf[2] = {5, 6};
    float* io[] = {buf, buf};
    s.effect->processReplacing(s.effect, io, io, 2);
    EXPECT_EQ(buf[0], 5);
    EXPECT_EQ(s.effect->getParameter(s.effect, 0), 0.0f);
    s.effect->setParameter(s.effect, 0, 1.0f);
    EXPECT_EQ(s.close(), 1);
}

TEST(ShellDefaults, ProgramRateBlockAndCategory) {
    Shell s;
    EXPECT_EQ(s.dispatch(effGetProgram), 0);
    s.dispatch(effSetProgram, 0, 1);  // equal to numPrograms: ignored
    EXPECT_EQ(s.dispatch(effGetProgram), 0);
    s.dispatch(effSetProgram, 0, -1);  // negative: ignored as well
    EXPECT_EQ(s.dispatch(effGetProgram), 0);

    EXPECT_EQ(VeSTGetSampleRate(s.shell()), 44100.0f);
    EXPECT_EQ(VeSTGetBlockSize(s.shell()), 1024);
    s.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    s.dispatch(effSetBlockSize, 0, 480);
    EXPECT_EQ(VeSTGetSampleRate(s.shell()), 48000.0f);
    EXPECT_EQ(VeSTGetBlockSize(s.shell()), 480);

    EXPECT_EQ(s.dispatch(effGetPlugCategory), kPlugCategUnknown);
    VeSTSetIsSynth(s.shell(), true);
    EXPECT_EQ(s.dispatch(effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(s.dispatch(effSetTotalSampleToProcess, 0, 777), 777);
    EXPECT_EQ(s.dispatch(effGetNumMidiInputChannels), 0);
    EXPECT_EQ(s.dispatch(effEditKeyDown, 'a', 0, nullptr, 1e30f), 0);  // no editor
    EXPECT_EQ(s.dispatch(effEditOpen, 0, 0, nullptr), 0);
    ERect* rect = nullptr;
    EXPECT_EQ(s.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
}

// The entry functions stored in a record act only on a record of ours.
TEST(ShellEntryFunctions, ForeignOrEmptyRecordsAreLeftAlone) {
    Shell s;
    AEffect foreign = *s.effect;
    foreign.magic = 0;
    AEffect empty = *s.effect;
    empty.object = nullptr;
    float buf[2] = {1, 2};
    float* io[] = {buf, buf};
    for (AEffect* e : {&foreign, &empty, static_cast<AEffect*>(nullptr)}) {
        s.client.log.clear();
        EXPECT_EQ(AudioEffect::dispatchEffect(e, effIdentify, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(AudioEffect::dispatchEffect(e, effClose, 0, 0, nullptr, 0.0f), 0);
        AudioEffect::processReplacingEffect(e, io, io, 2);
        AudioEffect::setParameterEffect(e, 0, 1.0f);
        EXPECT_EQ(AudioEffect::getParameterEffect(e, 0), 0.0f);
        EXPECT_TRUE(s.client.log.empty());
    }
    EXPECT_FALSE(s.destroyed);
}

TEST(ShellCanDo, OnlyReceiveVstMidiEventIsAnswered) {
    Shell s;
    VeSTProgramsAreChunks(s.shell(), true);
    char yes[] = "receiveVstMidiEvent";
    EXPECT_EQ(s.dispatch(effCanDo, 0, 0, yes), s.effect->flags + 256);
    for (const char* t : {"receiveVstEvents", "bypass", "midiProgramNames", "offline",
                          "receiveVstTimeInfo", "sendVstMidiEvent", "sendVstEvents",
                          "ReceiveVstMidiEvent", "receiveVstMidiEvent ", ""}) {
        std::string copy(t);
        EXPECT_EQ(s.dispatch(effCanDo, 0, 0, &copy[0]), -1) << t;
    }
}

TEST(ShellResume, TheBaseStepAsksForMidiOnlyForSynths) {
    Shell s;
    s.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(s.host.count(audioMasterWantMidi), 0u);
    EXPECT_EQ(s.lastCall(), "onResume");
    VeSTSetIsSynth(s.shell(), true);
    s.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(s.host.count(audioMasterWantMidi), 1u);
    EXPECT_EQ(s.host.last(audioMasterWantMidi)->value, 1);
}

VstMidiEvent midi(int32_t delta, unsigned char status, unsigned char d1, unsigned char d2) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof e;
    e.deltaFrames = delta;
    e.midiData[0] = static_cast<char>(status);
    e.midiData[1] = static_cast<char>(d1);
    e.midiData[2] = static_cast<char>(d2);
    return e;
}

struct EventBlock {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[8];
};

TEST(ShellMidi, OnlyMidiEventsEnterTheRingAndReadBackSigned) {
    Shell s;
    int32_t d = 9, st = 9, a = 9, b = 9;
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), &d, &st, &a, &b), 0);
    EXPECT_EQ(d | st | a | b, 0);

    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.byteSize = sizeof sysex;
    VstMidiEvent note = midi(17, 144, 60, 100);
    EventBlock block{3, 0, {reinterpret_cast<VstEvent*>(&sysex), nullptr,
                            reinterpret_cast<VstEvent*>(&note)}};
    EXPECT_EQ(s.dispatch(effProcessEvents, 0, 0, &block), 1);
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), &d, &st, &a, &b), 1);
    EXPECT_EQ(d, 17);
    EXPECT_EQ(st, -112);
    EXPECT_EQ(a, 60);
    EXPECT_EQ(b, 100);
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), &d, &st, &a, &b), 0);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(ShellMidi, ThousandUnreadEventsWrapTheRingToEmpty) {
    Shell s;
    VstMidiEvent note = midi(0, 0x90, 1, 2);
    EventBlock block{1, 0, {reinterpret_cast<VstEvent*>(&note)}};
    for (int i = 0; i < 1000; ++i) s.dispatch(effProcessEvents, 0, 0, &block);
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), nullptr, nullptr, nullptr, nullptr), 0);
    for (int i = 0; i < 999; ++i) s.dispatch(effProcessEvents, 0, 0, &block);
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), nullptr, nullptr, nullptr, nullptr), 1);
    s.dispatch(effProcessEvents, 0, 0, &block);
    s.dispatch(effProcessEvents, 0, 0, &block);
    // 1001 written, 1 read: the writer has lapped the reader once.
    EXPECT_EQ(VeSTReceiveMidi(s.shell(), nullptr, nullptr, nullptr, nullptr), 0);
    CVeST* shell = s.shell();
    EXPECT_EQ(shell->midiWriteIndex, 1);
    EXPECT_EQ(shell->midiReadIndex, 1);
}

}  // namespace
