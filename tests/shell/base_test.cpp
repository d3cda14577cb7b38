// The effect base on its own: host wrappers with and without a host, the
// text helpers and the speaker-arrangement tools.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "fixtures.h"
#include "shell/audioeffect.h"

using namespace testing_shell;

namespace {

struct Base : AudioEffectX {
    explicit Base(audioMasterCallback host) : AudioEffectX(host, 1, 0) {}
};

TEST(HostWrappers, SendTheirOpcodeAndReadTheAnswer) {
    FakeHost host;
    Base fx(&FakeHost::callback);
    char text[8] = "t";
    struct Case {
        const char* name;
        std::function<intptr_t()> call;
        int32_t opcode;
        int32_t index;
        intptr_t value;
        intptr_t hostAnswer;
        intptr_t expected;
    } cases[] = {
        {"getMasterVersion", [&] { return fx.getMasterVersion(); }, audioMasterVersion, 0, 0, 0, 1},
        {"getCurrentUniqueId", [&] { return fx.getCurrentUniqueId(); }, audioMasterCurrentId, 0, 0, 77, 77},
        {"isInputConnected", [&] { return (intptr_t)fx.isInputConnected(3); }, audioMasterPinConnected, 3, 0, 0, 1},
        {"isOutputConnected", [&] { return (intptr_t)fx.isOutputConnected(1); }, audioMasterPinConnected, 1, 1, 1, 0},
        {"tempoAt", [&] { return (intptr_t)fx.tempoAt(99); }, audioMasterTempoAt, 0, 99, 1200000, 1200000},
        {"ioChanged", [&] { return (intptr_t)fx.ioChanged(); }, audioMasterIOChanged, 0, 0, 5, 1},
        {"needIdle", [&] { return (intptr_t)fx.needIdle(); }, audioMasterNeedIdle, 0, 0, 0, 0},
        {"sizeWindow", [&] { return (intptr_t)fx.sizeWindow(300, 200); }, audioMasterSizeWindow, 300, 200, 1, 1},
        {"getInputLatency", [&] { return (intptr_t)fx.getInputLatency(); }, audioMasterGetInputLatency, 0, 0, 64, 64},
        {"getHostVendorString", [&] { return (intptr_t)fx.getHostVendorString(text); }, audioMasterGetVendorString, 0, 0, 2, 1},
        {"canHostDo", [&] { return (intptr_t)fx.canHostDo(text); }, audioMasterCanDo, 0, 0, -1, 1},
        {"updateDisplay", [&] { return (intptr_t)fx.updateDisplay(); }, audioMasterUpdateDisplay, 0, 0, 3, 1},
        {"beginEdit", [&] { return (intptr_t)fx.beginEdit(4); }, audioMasterBeginEdit, 4, 0, 1, 1},
        {"endEdit", [&] { return (intptr_t)fx.endEdit(4); }, audioMasterEndEdit, 4, 0, 0, 0},
        {"offlineStart", [&] { return (intptr_t)fx.offlineStart(text, 3, 2); }, audioMasterOfflineStart, 2, 3, 1, 1},
        {"getHostLanguage", [&] { return (intptr_t)fx.getHostLanguage(); }, audioMasterGetLanguage, 0, 0, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.calls.clear();
        host.defaultAnswer = c.hostAnswer;
        host.versionAnswer = c.hostAnswer;
        EXPECT_EQ(c.call(), c.expected);
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_TRUE(host.calls[0].hadEffect);
        EXPECT_EQ(host.calls[0].opcode, c.opcode);
        EXPECT_EQ(host.calls[0].index, c.index);
        EXPECT_EQ(host.calls[0].value, c.value);
    }

    host.calls.clear();
    host.defaultAnswer = 96000;
    EXPECT_EQ(fx.updateSampleRate(), 96000.0);
    host.defaultAnswer = 0;
    EXPECT_EQ(fx.updateSampleRate(), 96000.0);  // 0 keeps the last rate
    host.defaultAnswer = 256;
    EXPECT_EQ(fx.updateBlockSize(), 256);

    // Selectors and chunk files are only sent when there is something to send.
    host.calls.clear();
    EXPECT_FALSE(fx.openFileSelector(nullptr));
    EXPECT_FALSE(fx.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls.empty());

    host.calls.clear();
    fx.setParameterAutomated(2, 0.25f);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, 2);
    EXPECT_EQ(host.calls[0].opt, 0.25f);
}

TEST(HostWrappers, WithoutAHostAnswerTheirDefaults) {
    Base fx(nullptr);
    char text[4] = "";
    EXPECT_EQ(fx.getMasterVersion(), 1);
    EXPECT_EQ(fx.getCurrentUniqueId(), 0);
    EXPECT_TRUE(fx.isInputConnected(0));
    EXPECT_TRUE(fx.isOutputConnected(0));
    EXPECT_EQ(fx.getTimeInfo(1024), nullptr);
    EXPECT_FALSE(fx.sendVstEventsToHost(nullptr));
    EXPECT_FALSE(fx.ioChanged());
    EXPECT_FALSE(fx.getHostProductString(text));
    EXPECT_EQ(fx.updateSampleRate(), 44100.0);
    EXPECT_EQ(fx.updateBlockSize(), 1024);
    EXPECT_EQ(fx.getPreviousPlug(0), nullptr);
    EXPECT_EQ(fx.getDirectory(), nullptr);
    fx.masterIdle();
    fx.wantEvents(1);
    fx.setParameterAutomated(0, 1.0f);
}

// Text helpers write at most maxLen characters and terminate at maxLen.
TEST(TextHelpers, FormatsAndBounds) {
    Base fx(nullptr);
    struct Case {
        const char* name;
        std::function<void(char*, int32_t)> call;
        const char* expected;
    } cases[] = {
        {"int -42", [&](char* t, int32_t n) { fx.int2string(-42, t, n); }, "-42"},
        {"int 100000000", [&](char* t, int32_t n) { fx.int2string(100000000, t, n); }, "Huge!"},
        {"int 99999999", [&](char* t, int32_t n) { fx.int2string(99999999, t, n); }, "99999999"},
        {"int 0", [&](char* t, int32_t n) { fx.int2string(0, t, n); }, "0"},
        {"int 1000", [&](char* t, int32_t n) { fx.int2string(1000, t, n); }, "1000"},
        {"float 1.5", [&](char* t, int32_t n) { fx.float2string(1.5f, t, n); }, "1.500000"},
        {"float -1.5", [&](char* t, int32_t n) { fx.float2string(-1.5f, t, n); }, "-1.50000"},
        {"float 0", [&](char* t, int32_t n) { fx.float2string(0.0f, t, n); }, "0.000000"},
        {"float 1234.5", [&](char* t, int32_t n) { fx.float2string(1234.5f, t, n); }, "1234.500"},
        {"float 1e9", [&](char* t, int32_t n) { fx.float2string(1e9f, t, n); }, "Huge!"},
        {"dB 0", [&](char* t, int32_t n) { fx.dB2string(0.0f, t, n); }, "-oo"},
        {"dB 1", [&](char* t, int32_t n) { fx.dB2string(1.0f, t, n); }, "0.000000"},
        {"dB 10", [&](char* t, int32_t n) { fx.dB2string(10.0f, t, n); }, "20.00000"},
        {"Hz 0", [&](char* t, int32_t n) { fx.Hz2string(0.0f, t, n); }, "0.000000"},
        {"Hz 441", [&](char* t, int32_t n) { fx.Hz2string(441.0f, t, n); }, "100.0000"},
        {"ms 44100", [&](char* t, int32_t n) { fx.ms2string(44100.0f, t, n); }, "1000.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char buf[32];
        std::memset(buf, '#', sizeof buf);
        c.call(buf, 8);
        EXPECT_STREQ(buf, c.expected);
        EXPECT_EQ(buf[9], '#');
        // A shorter limit cuts and still terminates.
        std::memset(buf, '#', sizeof buf);
        c.call(buf, 2);
        EXPECT_EQ(std::string(buf), std::string(c.expected).substr(0, 2));
        EXPECT_EQ(buf[3], '#');
    }
}

TEST(SpeakerTools, AllocateMatchAndCopy) {
    Base fx(nullptr);
    VstSpeakerArrangement* from = nullptr;
    ASSERT_TRUE(fx.allocateArrangement(&from, 2));
    EXPECT_EQ(from->numChannels, 2);
    from->type = 7;
    std::memset(from->speakers[1].name, 'n', sizeof from->speakers[1].name);  // unterminated
    from->speakers[1].azimuth = 0.5f;
    from->speakers[1].type = 3;
    from->speakers[1].future[27] = 9;

    VstSpeakerArrangement* to = nullptr;
    ASSERT_TRUE(fx.matchArrangement(&to, from));
    EXPECT_EQ(to->type, 7);
    EXPECT_EQ(to->numChannels, 2);
    EXPECT_EQ(to->speakers[1].azimuth, 0.5f);
    EXPECT_EQ(to->speakers[1].type, 3);
    EXPECT_EQ(to->speakers[1].future[27], 9);
    EXPECT_EQ(std::strlen(to->speakers[1].name), 63u);

    EXPECT_FALSE(fx.matchArrangement(&to, nullptr));
    EXPECT_FALSE(fx.copySpeaker(nullptr, &from->speakers[0]));
    EXPECT_TRUE(fx.deallocateArrangement(&to));
    EXPECT_EQ(to, nullptr);
    EXPECT_TRUE(fx.deallocateArrangement(&from));

    // Arrangements larger than the declared eight speakers get their room.
    VstSpeakerArrangement* big = nullptr;
    ASSERT_TRUE(fx.allocateArrangement(&big, 24));
    // Touch the last speaker's bytes (ASan checks the allocation's size).
    auto* bytes = reinterpret_cast<unsigned char*>(big);
    size_t last = offsetof(VstSpeakerArrangement, speakers) + 23 * sizeof(VstSpeakerProperties);
    std::memset(bytes + last, 1, sizeof(VstSpeakerProperties));
    fx.deallocateArrangement(&big);
}

}  // namespace
