// The real plug-in DLL as a host loads it: through LoadLibrary and each of
// its three entry names.
//   host_tests PATH/TO/output.dll [gtest flags]
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "vsthost/host.h"

namespace {

std::string pluginPath;

class RealPlugin : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(library.load(pluginPath, &error)) << pluginPath << ": " << error;
    }
    vsthost::PluginLibrary library;
};

TEST_P(RealPlugin, RecordAndAnswersAsAHostSeesThem) {
    vsthost::EntryProc entry = library.entry(GetParam());
    ASSERT_NE(entry, nullptr);
    vsthost::Host host;
    AEffect* e = host.instantiate(entry);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags & ~effFlagsHasEditor, 4144);
    EXPECT_EQ(e->uniqueID, 6248);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(host.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(host.canDo("receiveVstMidiEvent"), e->flags + 256);
    for (const char* t : {"receiveVstEvents", "sendVstMidiEvent", "bypass", "offline"})
        EXPECT_EQ(host.canDo(t), -1) << t;

    // The only request before the record exists is the version request.
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
    EXPECT_FALSE(host.requests[0].hadEffect);
    EXPECT_EQ(host.countRequests(audioMasterVersion), 1u);

    bool overrun = true;
    std::string name = host.readText(effGetEffectName, 0, kVstMaxEffectNameLen, &overrun);
    EXPECT_FALSE(overrun);
    EXPECT_EQ(name, "HALVORIK - Velmarch - (20200828)");
    std::string vendor = host.readText(effGetVendorString, 0, kVstMaxVendorStrLen, &overrun);
    EXPECT_FALSE(overrun);
    EXPECT_EQ(vendor, "HALVORIK");
    std::string product = host.readText(effGetProductString, 0, kVstMaxProductStrLen, &overrun);
    EXPECT_FALSE(overrun);
    EXPECT_EQ(product, "HALVORIK - Velmarch - (20200828)");
    EXPECT_EQ(host.dispatch(effGetVendorVersion), 1000);
    std::string program = host.readText(effGetProgramName, 0, kVstMaxProgNameLen, &overrun);
    EXPECT_FALSE(overrun);
    EXPECT_EQ(program.size(), static_cast<size_t>(kVstMaxProgNameLen));

    // Seven counter parameters, named by their slider numbers, all at 0.
    ASSERT_EQ(e->numParams, 7);
    const char* names[] = {"20", "30", "31", "40", "41", "50", "51"};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(host.readText(effGetParamName, i, kVstMaxParamStrLen, &overrun), names[i]);
        EXPECT_FALSE(overrun);
        EXPECT_EQ(host.readText(effGetParamDisplay, i, kVstMaxParamStrLen, &overrun), "0.00");
        EXPECT_FALSE(overrun);
        EXPECT_EQ(host.readText(effGetParamLabel, i, kVstMaxParamStrLen, &overrun), "");
        EXPECT_FALSE(overrun);
    }

    // The saved state brings parameter values back.
    e->setParameter(e, 1, 0.25f);
    e->setParameter(e, 6, 0.75f);
    void* chunk = nullptr;
    intptr_t size = host.dispatch(effGetChunk, 0, 0, &chunk);
    ASSERT_EQ(size, 260);
    ASSERT_NE(chunk, nullptr);
    std::vector<unsigned char> saved(static_cast<unsigned char*>(chunk),
                                     static_cast<unsigned char*>(chunk) + size);
    e->setParameter(e, 1, 1.0f);
    e->setParameter(e, 6, 0.0f);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, size, saved.data()), 260);
    EXPECT_EQ(e->getParameter(e, 1), 0.25f);
    EXPECT_EQ(e->getParameter(e, 6), 0.75f);
    EXPECT_EQ(host.readText(effGetParamDisplay, 1, kVstMaxParamStrLen, &overrun), "25.00");

    EXPECT_EQ(host.close(), 1);
}

INSTANTIATE_TEST_SUITE_P(EachEntry, RealPlugin,
                         ::testing::Values("VSTPluginMain", "main", "MAIN"));

TEST(RealPluginReport, TheCommandLineReportIsSound) {
    vsthost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.load(pluginPath, &error)) << error;
    bool ok = false;
    std::string report = vsthost::describePlugin(library.entry("VSTPluginMain"), &ok);
    EXPECT_TRUE(ok) << report;
    EXPECT_NE(report.find("magic: VstP"), std::string::npos) << report;
    EXPECT_NE(report.find("pass-through float: exact"), std::string::npos) << report;
    EXPECT_NE(report.find("pass-through double: exact"), std::string::npos) << report;
    EXPECT_NE(report.find("effClose: 1"), std::string::npos) << report;
}

TEST(RealPluginRefusal, HostThatAnswersVersionZeroGetsNoEffect) {
    vsthost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.load(pluginPath, &error)) << error;
    vsthost::Host host;
    host.versionAnswer = 0;
    EXPECT_EQ(host.instantiate(library.entry("VSTPluginMain")), nullptr);
    EXPECT_EQ(host.countRequests(audioMasterVersion), 1u);
}

// The plug-in's counters as a host sees them, in their own units.
long counterAt(const std::vector<float>& row, size_t parameter) {
    return std::lround(row[parameter] * 100.0);
}

// Checks nothing about timing: under load a run may stall and catch up, and
// the counters must still show whole blocks and whole frames counted per
// window.
TEST(RealPluginRealTime, CountersClimbPerBlockAndFallBackEachSecond) {
    vsthost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.load(pluginPath, &error)) << error;
    vsthost::Host host;
    AEffect* e = host.instantiate(library.entry("VSTPluginMain"));
    ASSERT_NE(e, nullptr);
    host.dispatch(effOpen);
    vsthost::RealTimeRun run = host.runRealTime(3.0, 48000.0, 480);
    ASSERT_EQ(run.blocksPlayed, 300);
    EXPECT_TRUE(run.audioUnchanged);

    // Parameter "30" and "31" count blocks: each block adds one, or closes a
    // second and leaves 0. "40" and "41" count frames: a block adds 480, or
    // closes a second within it and leaves fewer than 480.
    for (size_t p : {1u, 2u, 3u, 4u}) {
        const long step = p <= 2 ? 1 : 480;
        long highest = 0;
        int fallbacks = 0;
        for (size_t b = 1; b < run.parameters.size(); ++b) {
            long before = counterAt(run.parameters[b - 1], p);
            long now = counterAt(run.parameters[b], p);
            if (now == before + step) continue;
            EXPECT_LT(now, step) << "parameter " << p << " block " << b << " after " << before;
            if (before > 0) ++fallbacks;
        }
        for (const auto& row : run.parameters) highest = std::max(highest, counterAt(row, p));
        EXPECT_GE(fallbacks, 1) << "parameter " << p;
        EXPECT_GE(highest, 2 * step) << "parameter " << p;
    }

    // Each block asks for the time info four times, with the sections'
    // filters, and the resume once for the tempo; nothing asks for a display
    // update or reports a latency.
    std::map<intptr_t, size_t> timeFilters;
    for (const auto& r : run.requests)
        if (r.opcode == audioMasterGetTime) ++timeFilters[r.value];
    EXPECT_EQ(timeFilters,
              (std::map<intptr_t, size_t>{{2, 300}, {8, 300}, {512, 300}, {1024, 1}, {9216, 300}}));
    for (const auto& r : run.requests) {
        EXPECT_NE(r.opcode, audioMasterUpdateDisplay);
        EXPECT_NE(r.opcode, audioMasterIOChanged);
    }
    EXPECT_EQ(e->initialDelay, 0);

    std::string text = vsthost::describeRealTime(run, 1);
    EXPECT_NE(text.find("blocks played: 300"), std::string::npos) << text;
    EXPECT_NE(text.find("pass-through: exact"), std::string::npos) << text;
    EXPECT_EQ(text.find("blocks per second (parameter 1): none"), std::string::npos) << text;
    EXPECT_EQ(host.close(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: host_tests PATH/TO/output.dll [gtest flags]\n");
        return 2;
    }
    pluginPath = argv[1];
    return RUN_ALL_TESTS();
}
