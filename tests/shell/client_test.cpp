// The flat client interface, host side, and the entry points.
#include <gtest/gtest.h>

#include <cstring>

#include "fixtures.h"
#include "shell/entry.h"

using namespace testing_shell;

namespace {

CVeST* makeShell(LoggingClient& client, int32_t params = 0) {
    VeSTCallbacks table = LoggingClient::table();
    return VeSTCreate(&client, &table, &FakeHost::callback, 1, params);
}

void closeShell(CVeST* s) {
    AEffect* e = VeSTGetAEffect(s);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

TEST(ClientInterface, NullShellDoesNothingAndAnswersZero) {
    char text[4] = "x";
    double t = 5, n = 5, d = 5;
    uint8_t dump[1] = {0};
    int32_t v = 3;
    EXPECT_EQ(VeSTGetAEffect(nullptr), nullptr);
    EXPECT_EQ(VeSTGetClient(nullptr), nullptr);
    EXPECT_EQ(VeSTGetNumInputs(nullptr), 0);
    EXPECT_EQ(VeSTGetNumOutputs(nullptr), 0);
    EXPECT_EQ(VeSTSetNumInputs(nullptr, 2), 0);
    EXPECT_EQ(VeSTSetNumOutputs(nullptr, 2), 0);
    EXPECT_EQ(VeSTSetUniqueID(nullptr, 2), 0);
    EXPECT_EQ(VeSTProgramsAreChunks(nullptr, true), 0);
    EXPECT_EQ(VeSTSetInitialDelay(nullptr, 2), 0);
    EXPECT_EQ(VeSTSetIsSynth(nullptr, true), 0);
    EXPECT_EQ(VeSTGetSampleRate(nullptr), 0.0f);
    EXPECT_EQ(VeSTGetBlockSize(nullptr), 0);
    EXPECT_EQ(VeSTGetTempo(nullptr), 0.0);
    EXPECT_EQ(VeSTGetPpqPos(nullptr), 0.0);
    EXPECT_EQ(VeSTGetBarStartPos(nullptr), 0.0);
    EXPECT_FALSE(VeSTIsPlaying(nullptr));
    EXPECT_FALSE(VeSTIsRecording(nullptr));
    EXPECT_EQ(VeSTGetTimeSignature(nullptr, &t, &n, &d), 0);
    EXPECT_EQ(t + n + d, 15.0);
    EXPECT_FALSE(VeSTUpdateDisplay(nullptr));
    EXPECT_EQ(VeSTSetParameterAutomated(nullptr, 0, 1.0), 0);
    EXPECT_FALSE(VeSTSendMidi(nullptr, 0, 0x90, 1, 2));
    EXPECT_FALSE(VeSTSendSysex(nullptr, 0, dump, 1));
    EXPECT_EQ(VeSTReceiveMidi(nullptr, &v, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(VeSTGetMasterVersion(nullptr), 0);
    EXPECT_EQ(VeSTGetCurrentUniqueId(nullptr), 0);
    EXPECT_EQ(VeSTMasterIdle(nullptr), 0);
    EXPECT_FALSE(VeSTGetHostVendorString(nullptr, text));
    EXPECT_FALSE(VeSTGetHostProductString(nullptr, text));
    EXPECT_EQ(VeSTGetHostVendorVersion(nullptr), 0);
    EXPECT_EQ(VeSTGetHostLanguage(nullptr), 0);
}

TEST(ClientInterface, ConfigurationReachesTheRecord) {
    FakeHost host;
    LoggingClient client;
    CVeST* s = makeShell(client);
    AEffect* e = VeSTGetAEffect(s);
    EXPECT_EQ(VeSTSetNumInputs(s, 2), 1);
    EXPECT_EQ(VeSTSetNumOutputs(s, 6), 1);
    EXPECT_EQ(VeSTSetUniqueID(s, 6248), 1);
    EXPECT_EQ(VeSTProgramsAreChunks(s, true), 1);
    EXPECT_EQ(VeSTSetInitialDelay(s, 128), 1);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(VeSTGetNumInputs(s), 2);
    EXPECT_EQ(VeSTGetNumOutputs(s), 6);
    EXPECT_EQ(e->uniqueID, 6248);
    EXPECT_EQ(e->initialDelay, 128);
    EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsProgramChunks);
    EXPECT_EQ(host.count(audioMasterIOChanged), 0u);  // latency is not announced
    VeSTProgramsAreChunks(s, false);
    EXPECT_EQ(e->flags & effFlagsProgramChunks, 0);
    closeShell(s);
}

TEST(ClientInterface, TimeInformationWithFilters) {
    FakeHost host;
    LoggingClient client;
    CVeST* s = makeShell(client);
    host.time.tempo = 133.5;
    host.time.ppqPos = 12.25;
    host.time.barStartPos = 12.0;
    host.time.timeSigNumerator = 7;
    host.time.timeSigDenominator = 8;
    host.time.flags = kVstTransportPlaying;  // validity flags are not consulted

    host.calls.clear();
    EXPECT_EQ(VeSTGetTempo(s), 133.5);
    EXPECT_EQ(VeSTGetPpqPos(s), 12.25);
    EXPECT_EQ(VeSTGetBarStartPos(s), 12.0);
    EXPECT_TRUE(VeSTIsPlaying(s));
    EXPECT_FALSE(VeSTIsRecording(s));
    double t = 0, n = 0, d = 0;
    EXPECT_EQ(VeSTGetTimeSignature(s, &t, &n, &d), 1);
    EXPECT_EQ(t, 133.5);
    EXPECT_EQ(n, 7.0);
    EXPECT_EQ(d, 8.0);
    EXPECT_EQ(VeSTGetTimeSignature(s, nullptr, nullptr, nullptr), 1);
    const intptr_t filters[] = {1024, 512, 2048, 2, 8, 9216, 9216};
    ASSERT_EQ(host.calls.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(host.calls[i].opcode, audioMasterGetTime);
        EXPECT_EQ(host.calls[i].value, filters[i]);
    }

    host.giveTime = false;
    t = n = d = -1;
    EXPECT_EQ(VeSTGetTempo(s), 0.0);
    EXPECT_FALSE(VeSTIsPlaying(s));
    EXPECT_EQ(VeSTGetTimeSignature(s, &t, &n, &d), 0);
    EXPECT_EQ(t, -1.0);
    closeShell(s);
}

TEST(ClientInterface, MidiSendersBuildOneEventBlock) {
    FakeHost host;
    LoggingClient client;
    CVeST* s = makeShell(client);
    host.defaultAnswer = 1;
    EXPECT_TRUE(VeSTSendMidi(s, 5, 0x90, 60, 127));
    ASSERT_EQ(host.sentEvents.size(), 1u);
    VstMidiEvent sent;
    ASSERT_EQ(host.sentEvents[0].size(), sizeof sent);
    std::memcpy(&sent, host.sentEvents[0].data(), sizeof sent);
    EXPECT_EQ(sent.type, kVstMidiType);
    EXPECT_EQ(sent.byteSize, 32);
    EXPECT_EQ(sent.deltaFrames, 5);
    EXPECT_EQ(static_cast<unsigned char>(sent.midiData[0]), 0x90);
    EXPECT_EQ(sent.midiData[1], 60);
    EXPECT_EQ(sent.midiData[2], 127);
    EXPECT_EQ(sent.midiData[3], 0);

    uint8_t dump[3] = {0xF0, 1, 0xF7};
    EXPECT_TRUE(VeSTSendSysex(s, 2, dump, 3));
    ASSERT_EQ(host.sentEvents.size(), 2u);
    VstMidiSysexEvent sx;
    ASSERT_EQ(host.sentEvents[1].size(), sizeof sx);
    std::memcpy(&sx, host.sentEvents[1].data(), sizeof sx);
    EXPECT_EQ(sx.type, kVstSysExType);
    EXPECT_EQ(sx.byteSize, sizeof(void*) == 8 ? 48 : 32);
    EXPECT_EQ(sx.dumpBytes, 3);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(sx.sysexDump), dump);

    host.defaultAnswer = 2;  // only an answer of exactly 1 counts
    EXPECT_FALSE(VeSTSendMidi(s, 0, 0x80, 60, 0));
    closeShell(s);
}

TEST(ClientInterface, HostQueriesAndAutomation) {
    FakeHost host;
    LoggingClient client;
    CVeST* s = makeShell(client, 2);
    host.versionAnswer = 2400;
    EXPECT_EQ(VeSTGetMasterVersion(s), 2400);
    EXPECT_EQ(VeSTMasterIdle(s), 1);
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    host.defaultAnswer = 1;
    EXPECT_TRUE(VeSTUpdateDisplay(s));
    EXPECT_EQ(host.count(audioMasterUpdateDisplay), 1u);
    client.log.clear();
    EXPECT_EQ(VeSTSetParameterAutomated(s, 1, 0.75), 1);
    ASSERT_EQ(client.log.size(), 1u);
    EXPECT_EQ(client.log[0], "setParameter(1,0.75)");
    EXPECT_EQ(host.last(audioMasterAutomate)->opt, 0.75f);
    closeShell(s);
}

struct EntryCase {
    const char* name;
    AEffect* (*entry)(audioMasterCallback);
};

class EntryPoints : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryPoints, FreshRecordForAHostThatAnswersAndNoneOtherwise) {
    FakeHost host;
    AEffect* a = GetParam().entry(&FakeHost::callback);
    AEffect* b = GetParam().entry(&FakeHost::callback);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_NE(a->object, b->object);
    EXPECT_EQ(a->magic, kEffectMagic);
    EXPECT_EQ(a->numPrograms, 1);
    EXPECT_EQ(a->numInputs, 2);
    EXPECT_EQ(a->numOutputs, 2);
    EXPECT_EQ(a->flags & ~effFlagsHasEditor, 4144);
    EXPECT_EQ(a->uniqueID, 6248);
    EXPECT_EQ(a->dispatcher(a, effIdentify, 0, 0, nullptr, 0), 0x4E764566);
    EXPECT_EQ(a->dispatcher(a, effGetVstVersion, 0, 0, nullptr, 0), 2400);
    char yes[] = "receiveVstMidiEvent";
    EXPECT_EQ(a->dispatcher(a, effCanDo, 0, 0, yes, 0), a->flags + 256);
    EXPECT_EQ(a->dispatcher(a, effClose, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(b->dispatcher(b, effClose, 0, 0, nullptr, 0), 1);

    host.versionAnswer = 0;
    EXPECT_EQ(GetParam().entry(&FakeHost::callback), nullptr);
    EXPECT_EQ(GetParam().entry(nullptr), nullptr);
}

INSTANTIATE_TEST_SUITE_P(All, EntryPoints,
                         ::testing::Values(EntryCase{"VSTPluginMain", &VSTPluginMain},
                                           EntryCase{"MAIN", &MAIN}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
