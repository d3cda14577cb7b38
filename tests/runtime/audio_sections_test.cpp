// The diagnostic effect's audio sections as a host drives them: rate tests,
// transport reads, the sample-rate test and pass-through. Time is a hand
// clock, so every window is closed by setting it, never by waiting.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "script/kelvrixeffect.h"
#include "scripts.h"
#include "shell/entry.h"

using testing_shell::FakeHost;

namespace {

class HandClock final : public WallClock {
public:
    double now = 0.0;
    double wholeSeconds() override { return std::floor(now); }
    double preciseSeconds() override { return now; }
};

constexpr int32_t kMaxFrames = 1024;

// The real effect behind a real shell and a scripted host, opened, given
// 48000 Hz and 480-frame blocks, and resumed at time `start`.
struct Diagnostic {
    FakeHost host;
    HandClock clock;
    AEffect* e = nullptr;
    TKelvrixEffect* fx = nullptr;
    std::vector<double> left = std::vector<double>(kMaxFrames);
    std::vector<double> right = std::vector<double>(kMaxFrames);

    explicit Diagnostic(double start = 50.25) {
        host.time.tempo = 120.0;
        host.time.timeSigNumerator = 4;
        host.time.timeSigDenominator = 4;
        host.time.ppqPos = 8.5;
        host.time.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid |
                          kVstPpqPosValid;
        e = createEffectInstance(&FakeHost::callback);
        fx = static_cast<TKelvrixEffect*>(
            static_cast<TKelvrix*>(VeSTGetClient(static_cast<CVeST*>(e->object))));
        fx->wallClock = &clock;
        clock.now = start;
        dispatch(effOpen);
        dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
        dispatch(effSetBlockSize, 0, 480);
        dispatch(effMainsChanged, 0, 1);
    }
    ~Diagnostic() { dispatch(effClose); }
    Diagnostic(const Diagnostic&) = delete;
    Diagnostic& operator=(const Diagnostic&) = delete;

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    // One double-precision block at time t, every frame (l, r), processed in
    // place.
    void block(double t, int32_t frames = 0, double l = 0.0, double r = 0.0) {
        clock.now = t;
        for (int32_t i = 0; i < frames; ++i) {
            left[static_cast<size_t>(i)] = l;
            right[static_cast<size_t>(i)] = r;
        }
        double* channels[2] = {left.data(), right.data()};
        e->processDoubleReplacing(e, channels, channels, frames);
    }
    double slider(int32_t n) const { return fx->sliderValues[static_cast<size_t>(n)]; }
};

struct TestRef {
    int32_t number;
    RateTest TKelvrixEffect::*test;
};
const TestRef kAudioTests[] = {{30, &TKelvrixEffect::test30},
                               {31, &TKelvrixEffect::test31},
                               {40, &TKelvrixEffect::test40},
                               {41, &TKelvrixEffect::test41}};
const TestRef kAllTests[] = {{20, &TKelvrixEffect::test20}, {30, &TKelvrixEffect::test30},
                             {31, &TKelvrixEffect::test31}, {40, &TKelvrixEffect::test40},
                             {41, &TKelvrixEffect::test41}};

TEST(RateTests, ASteadyHundredBlocksPerSecondShowHundredEachSecond) {
    Diagnostic d;
    // Blocks every 10 ms from 100.005 on; the window of each test closes in
    // the first block of every later second.
    for (int i = 0; i <= 300; ++i) {
        d.block(100.005 + 0.01 * i, 480);
        if (i % 100 != 0 || i == 0) continue;
        for (const TestRef& t : kAudioTests) {
            const RateTest& r = d.fx->*t.test;
            double perSecond = t.number < 40 ? 100.0 : 48000.0;
            EXPECT_EQ(r.externalResult, perSecond) << "test " << t.number << " block " << i;
            EXPECT_EQ(r.internalResult, perSecond) << "test " << t.number << " block " << i;
        }
    }
    // The precise windows start at the moment of the closing call.
    EXPECT_DOUBLE_EQ(d.fx->test31.windowStart, 103.005);
    EXPECT_EQ(d.fx->test30.windowStart, 103.0);
    EXPECT_EQ(d.slider(30), 0.0);
}

TEST(RateTests, FirstCallOfEachSectionAfterResetGivesOneAndOne) {
    Diagnostic d;
    d.fx->sliderValues[40] = 5.0;  // a counter left over from before the reset
    d.block(50.5, 1);
    for (const TestRef& t : kAllTests) {
        const RateTest& r = d.fx->*t.test;
        EXPECT_EQ(r.externalResult, t.number == 40 ? 6.0 : 1.0) << t.number;
        EXPECT_EQ(r.internalResult, 1.0) << t.number;
        EXPECT_EQ(r.internalCount, 0.0) << t.number;
        EXPECT_EQ(d.slider(t.number), 0.0) << t.number;
    }
    EXPECT_EQ(d.fx->test20.windowStart, 50.0);  // opened by the resume's slider section
    EXPECT_EQ(d.fx->test41.windowStart, 50.5);
}

TEST(RateTests, AClockSetBackByMoreThanThreeSecondsClosesEveryWindow) {
    struct Case {
        double setBack;
        bool closes;
    };
    for (const Case c : {Case{4.0, true}, Case{3.0, false}, Case{1000.0, true}}) {
        Diagnostic d(100.5);
        d.block(100.5, 1);  // every audio window open since 100.5
        d.block(100.6, 1);
        d.dispatch(effMainsChanged, 0, 1);  // one more slider-section call
        double then = 100.6 - c.setBack;
        d.block(then, 1);
        d.dispatch(effMainsChanged, 0, 1);
        for (const TestRef& t : kAllTests) {
            const RateTest& r = d.fx->*t.test;
            bool precise = t.number % 2 == 1;
            if (c.closes) {
                // The call of the old window and the closing one.
                EXPECT_EQ(r.internalResult, 2.0) << t.number;
                EXPECT_EQ(r.externalResult, r.internalResult) << t.number;
                EXPECT_DOUBLE_EQ(r.windowStart, precise ? then : std::floor(then)) << t.number;
            } else {
                EXPECT_EQ(r.internalCount, 2.0) << t.number;
                EXPECT_EQ(d.slider(t.number), r.internalCount) << t.number;
            }
        }
    }
}

TEST(RateTests, AHostChangeOfTheCounterMidWindowCarriesIntoTheExternalResult) {
    Diagnostic d(100.05);
    d.block(100.1);
    for (int i = 0; i < 3; ++i) d.block(100.2);
    double test20Before = d.slider(20);
    d.e->setParameter(d.e, 1, 0.5f);  // parameter "30": slider 30 = 50
    EXPECT_EQ(d.slider(30), 50.0);
    EXPECT_EQ(d.slider(20), test20Before + 1.0);  // the slider section ran
    for (int i = 0; i < 5; ++i) d.block(100.7);
    d.block(101.0);
    EXPECT_EQ(d.fx->test30.externalResult, 56.0);  // 50, five blocks, the closing one
    EXPECT_EQ(d.fx->test30.internalResult, 9.0);
    EXPECT_EQ(d.fx->test31.externalResult, 9.0);  // its own counter was not touched
}

TEST(RateTests, ARestoredChunkLetsEachExternalCounterContinueFromTheSavedValue) {
    Diagnostic d;
    d.block(100.1, 1);
    d.block(100.2, 1);  // every audio window open, internal counts at 1
    for (int n = 1; n <= 64; ++n) d.fx->sliderValues[static_cast<size_t>(n)] = 7.0;
    void* data = nullptr;
    intptr_t size = d.dispatch(effGetChunk, 0, 0, &data);
    ASSERT_EQ(size, 260);
    std::vector<unsigned char> chunk(static_cast<unsigned char*>(data),
                                     static_cast<unsigned char*>(data) + size);
    for (int n = 1; n <= 64; ++n) d.fx->sliderValues[static_cast<size_t>(n)] = 0.0;
    d.fx->test20.windowStart = 100.0;  // keep test 20's window open as well
    d.clock.now = 100.3;
    ASSERT_EQ(d.dispatch(effSetChunk, 0, size, chunk.data()), 260);
    EXPECT_EQ(d.slider(20), 8.0);  // the restore's own slider section counted
    d.block(100.4, 1);
    d.block(101.0, 1);
    for (const TestRef& t : kAudioTests) {
        const RateTest& r = d.fx->*t.test;
        EXPECT_EQ(r.externalResult, 9.0) << t.number;  // 7, then two calls
        EXPECT_EQ(r.internalResult, 3.0) << t.number;  // not restored
    }
    EXPECT_EQ(d.slider(50), 7.0);  // the display's counters wait for the display
    EXPECT_EQ(d.slider(51), 7.0);
}

TEST(SampleRateTest, OnlyFramesWhoseLargerChannelIsAboveTheThresholdCount) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double l, r;
        bool counts;
    };
    const Case cases[] = {
        {0.002, -1.0, true},  {-0.5, -0.5, false}, {0.001, 0.001, false},
        {0.001, 0.0011, true}, {nan, 0.002, true},  {nan, nan, false},
    };
    for (const Case& c : cases) {
        Diagnostic d;
        d.block(100.0, 3, c.l, c.r);
        EXPECT_EQ(d.fx->test60State, c.counts ? 1.0 : 0.0) << c.l << " " << c.r;
        EXPECT_EQ(d.fx->test60Count, c.counts ? 3.0 : 0.0) << c.l << " " << c.r;
    }
}

TEST(SampleRateTest, ARunEndsInTheFirstQuietBlockMoreThanFourSecondsAfterTheLastLoudOne) {
    Diagnostic d;
    d.block(100.2, 5, 0.5, 0.5);
    d.block(100.3, 20);
    EXPECT_EQ(d.fx->test60LastSignal, 100.0);
    for (double t : {101.0, 102.5, 103.0, 104.9}) {
        d.block(t, 10);
        EXPECT_EQ(d.fx->test60State, 1.0) << t;
    }
    // Exactly at the threshold neither counts nor ends the run.
    d.block(105.0, 10, 0.001, 0.001);
    EXPECT_EQ(d.fx->test60State, 1.0);
    EXPECT_EQ(d.fx->test60Count, 5.0);
    d.block(105.1, 1);
    EXPECT_EQ(d.fx->test60State, 0.0);
    EXPECT_EQ(d.fx->test60Count, 5.0);  // kept for the display

    // The next run counts from the start again.
    d.block(106.0, 2, 0.0, 0.25);
    EXPECT_EQ(d.fx->test60State, 1.0);
    EXPECT_EQ(d.fx->test60Count, 2.0);
    EXPECT_EQ(d.fx->test60LastSignal, 106.0);
}

TEST(HostFacts, InitFetchesRateChannelsBlockSizeAndTempo) {
    Diagnostic d;
    TKelvrixEffect& fx = *d.fx;
    EXPECT_EQ(fx.hostSampleRate, 48000.0);
    EXPECT_EQ(fx.sysSampleRate, 48000.0);
    EXPECT_EQ(fx.sysChannels, 2.0);
    EXPECT_EQ(fx.sysBlockSize, 480.0);
    EXPECT_EQ(fx.sysTempo, 120.0);
    EXPECT_EQ(fx.sysTimeSigNumerator, 0.0);  // only asked per block
    EXPECT_EQ(fx.effectVersion, 20200828.0);
    EXPECT_EQ(fx.frameRate, 30.0);

    // No time information: tempo 0; a tempo that is not a number: 0 too.
    d.host.giveTime = false;
    d.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(fx.sysTempo, 0.0);
    d.host.giveTime = true;
    d.host.time.tempo = std::numeric_limits<double>::quiet_NaN();
    d.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(fx.hostTempo, 0.0);
}

TEST(HostFacts, EachBlockReadsTimeSignatureTransportAndPosition) {
    Diagnostic d;
    d.host.time.tempo = 96.0;
    d.host.time.timeSigNumerator = 7;
    d.host.time.timeSigDenominator = 8;
    d.host.time.ppqPos = 33.25;
    struct Case {
        int32_t flags;
        double playState;
    };
    for (const Case c : {Case{0, 0.0}, Case{kVstTransportPlaying, 1.0},
                         Case{kVstTransportRecording, 4.0},
                         Case{kVstTransportPlaying | kVstTransportRecording, 5.0}}) {
        d.host.time.flags = c.flags | kVstTempoValid | kVstTimeSigValid;
        d.host.calls.clear();
        d.block(60.0, 2);
        EXPECT_EQ(d.fx->sysPlayState, c.playState) << c.flags;
        std::vector<intptr_t> filters;
        for (const auto& call : d.host.calls)
            if (call.opcode == audioMasterGetTime) filters.push_back(call.value);
        EXPECT_EQ(filters, (std::vector<intptr_t>{9216, 2, 8, 512})) << c.flags;
    }
    EXPECT_EQ(d.fx->sysTempo, 96.0);
    EXPECT_EQ(d.fx->sysTimeSigNumerator, 7.0);
    EXPECT_EQ(d.fx->sysTimeSigDenominator, 8.0);
    EXPECT_EQ(d.fx->sysBeatPosition, 33.25);
}

TEST(HostFacts, WithoutTimeInformationABlockKeepsTheLastTempoAndSignature) {
    Diagnostic d;
    d.host.time.timeSigNumerator = 3;
    d.block(60.0);
    d.host.giveTime = false;
    d.block(60.1);
    EXPECT_EQ(d.fx->hostTempo, 120.0);
    EXPECT_EQ(d.fx->sysTimeSigNumerator, 3.0);
    EXPECT_EQ(d.fx->sysTimeSigDenominator, 4.0);
    EXPECT_EQ(d.fx->sysPlayState, 0.0);
    EXPECT_EQ(d.fx->sysBeatPosition, 0.0);

    // The same without any shell: nothing indeterminate is stored.
    TKelvrixEffect bare;
    bare.reset();
    bare.hostTempo = 90.0;
    bare.doBlock();
    EXPECT_EQ(bare.sysTempo, 90.0);
    EXPECT_EQ(bare.sysTimeSigNumerator, 0.0);
}

TEST(HostRequests, NoDisplayUpdateOrLatencyUnlessTheScriptAsksAtMostFourTimesASecond) {
    Diagnostic d;
    for (int i = 0; i < 100; ++i) d.block(60.0 + 0.01 * i, 4);
    EXPECT_EQ(d.host.count(audioMasterUpdateDisplay), 0u);
    EXPECT_EQ(d.host.count(audioMasterIOChanged), 0u);
    EXPECT_EQ(d.e->initialDelay, 0);

    d.fx->sysDisplayRefreshFlag = 1.0;
    d.fx->sysLatencyRequest = 63.99995;
    d.block(61.5);
    EXPECT_EQ(d.host.count(audioMasterUpdateDisplay), 1u);
    EXPECT_EQ(d.fx->sysDisplayRefreshFlag, 0.0);
    EXPECT_EQ(d.fx->displayRefreshTime, 61.5);
    EXPECT_EQ(d.e->initialDelay, 64);
    EXPECT_EQ(d.fx->latencyReported, 63.99995);
    EXPECT_EQ(d.host.count(audioMasterIOChanged), 0u);  // the host is not told

    d.fx->sysDisplayRefreshFlag = 1.0;
    d.block(61.75);  // not more than a quarter second later
    EXPECT_EQ(d.host.count(audioMasterUpdateDisplay), 1u);
    d.block(61.76);
    EXPECT_EQ(d.host.count(audioMasterUpdateDisplay), 2u);
}

template <typename F>
void expectBitExact(Diagnostic& d, bool inPlace) {
    using L = std::numeric_limits<F>;
    const std::vector<F> values = {F(0),      -F(0),     F(1),          F(-1),   F(0.5),
                                   F(0.0011), F(0.001),  F(1) / F(3),   L::min(), -L::min(),
                                   L::max(),  L::lowest(), L::epsilon(), F(-0.25), F(1e-6)};
    const int32_t frames = static_cast<int32_t>(values.size());
    std::vector<F> in0 = values, in1(values.rbegin(), values.rend());
    std::vector<F> out0(values.size(), F(7)), out1(values.size(), F(7));
    const std::vector<F> expect0 = in0, expect1 = in1;
    F* inputs[2] = {in0.data(), in1.data()};
    F* outputs[2] = {out0.data(), out1.data()};
    F** target = inPlace ? inputs : outputs;
    if constexpr (sizeof(F) == sizeof(float))
        d.e->processReplacing(d.e, inputs, target, frames);
    else
        d.e->processDoubleReplacing(d.e, inputs, target, frames);
    const std::vector<F>& got0 = inPlace ? in0 : out0;
    const std::vector<F>& got1 = inPlace ? in1 : out1;
    EXPECT_EQ(std::memcmp(got0.data(), expect0.data(), sizeof(F) * values.size()), 0)
        << sizeof(F) << (inPlace ? " in place" : " separate");
    EXPECT_EQ(std::memcmp(got1.data(), expect1.data(), sizeof(F) * values.size()), 0)
        << sizeof(F) << (inPlace ? " in place" : " separate");
}

TEST(PassThrough, EveryNormalFiniteSampleComesBackBitExactWithTheSectionsRunning) {
    Diagnostic d;
    d.fx->wallClock = &systemWallClock();  // the platform's clocks, as in a host
    for (bool inPlace : {false, true}) {
        expectBitExact<float>(d, inPlace);
        expectBitExact<double>(d, inPlace);
    }
    EXPECT_EQ(d.fx->test60State, 1.0);  // the loud frames did reach the sections
    EXPECT_GT(d.fx->test40.internalCount + d.fx->test40.internalResult, 0.0);
}

}  // namespace
