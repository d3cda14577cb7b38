// The audio bridge: how host blocks become block and sample sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include "runtime/audiobridge.h"
#include "scripts.h"

using namespace testing_runtime;

namespace {

// Channel buffers of one block: a ramp of distinct values per channel
// above base, or all base when spread is 0.
template <typename F>
struct Block {
    std::vector<std::vector<F>> data;
    std::vector<F*> pointers;

    Block(int32_t channels, int32_t frames, F base, F spread = F(1))
        : data(static_cast<size_t>(channels)) {
        for (int32_t k = 0; k < channels; ++k) {
            data[k].resize(static_cast<size_t>(frames));
            for (int32_t i = 0; i < frames; ++i)
                data[k][i] = base + spread * (static_cast<F>(k) * F(100) + static_cast<F>(i) / F(8));
            pointers.push_back(data[k].data());
        }
    }
    F** channels() { return pointers.data(); }
};

// Mixes the channels so that reading a channel after it was written would
// show in the result.
void crossMix(double* s) {
    double a = s[0], b = s[1], c = s[2];
    s[0] = a * 0.5 + b;
    s[1] = b - a * c;
    s[2] = c + a;
}

template <typename F>
void expectInPlaceEqualsSeparate(int32_t channels) {
    const int32_t frames = 37;
    LoggingScript separate, inPlace;
    separate.transform = inPlace.transform = crossMix;
    Block<F> in(channels, frames, F(0.25)), out(channels, frames, F(0), F(0)), shared = in;
    shared.pointers.clear();
    for (auto& c : shared.data) shared.pointers.push_back(c.data());
    processKelvrixBlock(separate, in.channels(), out.channels(), frames, channels);
    processKelvrixBlock(inPlace, shared.channels(), shared.channels(), frames, channels);
    EXPECT_EQ(out.data, shared.data) << channels << " channels";
    EXPECT_EQ(separate.frames, frames);
}

TEST(AudioBridge, InPlaceProcessingEqualsSeparateBuffers) {
    for (int32_t channels : {2, 3}) {
        expectInPlaceEqualsSeparate<float>(channels);
        expectInPlaceEqualsSeparate<double>(channels);
    }
}

template <typename F>
std::vector<F> specialValues() {
    using L = std::numeric_limits<F>;
    return {F(0), -F(0), F(1), F(-0.999), L::denorm_min(), -L::denorm_min(), L::min(),
            L::max(), L::lowest(), L::infinity(), -L::infinity(), F(1) / F(3), L::epsilon()};
}

template <typename F>
void expectBitExactPassThrough(int32_t channels) {
    LoggingScript script;  // its sample section leaves the samples alone
    std::vector<F> values = specialValues<F>();
    int32_t frames = static_cast<int32_t>(values.size());
    Block<F> in(channels, frames, F(0)), out(channels, frames, F(7), F(0));
    for (auto& c : in.data) c = values;
    std::reverse(in.data[0].begin(), in.data[0].end());
    processKelvrixBlock(script, in.channels(), out.channels(), frames, channels);
    for (int32_t k = 0; k < channels; ++k)
        EXPECT_EQ(std::memcmp(in.data[k].data(), out.data[k].data(), sizeof(F) * values.size()), 0)
            << "channel " << k;
}

TEST(AudioBridge, AnIdleSampleSectionPassesAudioThroughBitExact) {
    for (int32_t channels : {2, 1, 5}) {
        expectBitExactPassThrough<float>(channels);
        expectBitExactPassThrough<double>(channels);
    }
}

TEST(AudioBridge, ZeroOrNegativeFramesRunOnlyTheBlockSection) {
    for (int32_t frames : {0, -4}) {
        LoggingScript script;
        Block<float> in(2, 4, 1.0f), out(2, 4, 9.0f, 0);
        processKelvrixBlock(script, in.channels(), out.channels(), frames, 2);
        EXPECT_EQ(script.blocks, 1);
        EXPECT_EQ(script.frames, 0);
        EXPECT_EQ(out.data[0][0], 9.0f);
    }
}

TEST(AudioBridge, BlockOnceSampleOncePerFrameAndSamplesCarryOver) {
    LoggingScript script;
    script.samples[2] = 42.0;  // beyond the two channels: left as the script left it
    Block<double> in(2, 16, 0.5), out(2, 16, 0.0, 0);
    processKelvrixBlock(script, in.channels(), out.channels(), 16, 2);
    processKelvrixBlock(script, in.channels(), out.channels(), 16, 2);
    EXPECT_EQ(script.blocks, 2);
    EXPECT_EQ(script.frames, 32);
    EXPECT_EQ(script.samples[0], in.data[0][15]);
    EXPECT_EQ(script.samples[1], in.data[1][15]);
    EXPECT_EQ(script.samples[2], 42.0);
}

TEST(AudioBridge, NoChannelsStillRunsTheSampleSectionPerFrame) {
    LoggingScript script;
    processKelvrixBlock<float>(script, nullptr, nullptr, 5, 0);
    EXPECT_EQ(script.blocks, 1);
    EXPECT_EQ(script.frames, 5);
}

TEST(AudioBridge, MissingHostBuffersRunTheBlockSectionOnly) {
    LoggingScript script;
    Block<float> out(2, 4, 9.0f, 0);
    float* halfMissing[2] = {out.data[0].data(), nullptr};
    processKelvrixBlock<float>(script, nullptr, out.channels(), 4, 2);
    processKelvrixBlock<float>(script, halfMissing, out.channels(), 4, 2);
    processKelvrixBlock<float>(script, out.channels(), halfMissing, 4, 3);
    EXPECT_EQ(script.blocks, 3);
    EXPECT_EQ(script.frames, 0);
    EXPECT_EQ(out.data[1][0], 9.0f);
}

TEST(AudioBridge, AtMostSixtyFourChannelsAreCarried) {
    LoggingScript script;
    Block<float> in(65, 3, 1.0f), out(65, 3, -1.0f, 0);
    processKelvrixBlock(script, in.channels(), out.channels(), 3, 65);
    EXPECT_EQ(out.data[63], in.data[63]);
    EXPECT_EQ(out.data[64], std::vector<float>(3, -1.0f));
}

TEST(AudioBridge, FloatOutputIsTheNearestFloatOfTheScriptsValue) {
    LoggingScript script;
    script.transform = [](double* s) {
        s[0] = 1.0 + 1e-9;  // rounds to 1
        s[1] = 0.1;
    };
    Block<float> in(2, 1, 0.0f), out(2, 1, 0.0f, 0);
    processKelvrixBlock(script, in.channels(), out.channels(), 1, 2);
    EXPECT_EQ(out.data[0][0], 1.0f);
    EXPECT_EQ(out.data[1][0], 0.1f);
}

TEST(ProcessChannelCount, ConcurrentFirstCallsInitialiseOnce) {
    CProcessChannelCount count;
    std::atomic<int> queries{0};
    std::atomic<bool> go{false};
    std::vector<int32_t> seen(8, -1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            while (!go.load()) std::this_thread::yield();
            seen[t] = count.get([&] { return static_cast<int32_t>(10 + queries.fetch_add(1)); });
        });
    go = true;
    for (auto& th : threads) th.join();
    EXPECT_EQ(queries.load(), 1);
    for (int32_t v : seen) EXPECT_EQ(v, 10);
    EXPECT_EQ(count.get([] { return 99; }), 10);
}

// The process callbacks read the channel count once per process: a second
// instance with more inputs still gets the first instance's stereo path.
TEST(ProcessChannelCount, InstancesShareTheCountOfTheFirstToProcess) {
    Instance first(2);
    Block<float> fin(2, 8, 1.0f), fout(2, 8, 0.0f, 0);
    first.effect->processReplacing(first.effect, fin.channels(), fout.channels(), 8);
    Block<double> din(2, 8, 1.0), dout(2, 8, 0.0, 0);
    first.effect->processDoubleReplacing(first.effect, din.channels(), dout.channels(), 8);
    EXPECT_EQ(fout.data, fin.data);
    EXPECT_EQ(dout.data, din.data);

    Instance second(3);
    ASSERT_EQ(second.effect->numInputs, 3);
    Block<float> sin(3, 8, 2.0f), sout(3, 8, -1.0f, 0);
    second.effect->processReplacing(second.effect, sin.channels(), sout.channels(), 8);
    Block<double> tin(3, 8, 2.0), tout(3, 8, -1.0, 0);
    second.effect->processDoubleReplacing(second.effect, tin.channels(), tout.channels(), 8);
    EXPECT_EQ(sout.data[1], sin.data[1]);
    EXPECT_EQ(sout.data[2], std::vector<float>(8, -1.0f));
    EXPECT_EQ(tout.data[1], tin.data[1]);
    EXPECT_EQ(tout.data[2], std::vector<double>(8, -1.0));
    EXPECT_EQ(second.script->blocks, 2);
    EXPECT_EQ(second.script->frames, 16);
}

}  // namespace
