// How fast the effect processes audio through its record, as a host drives
// it: 480-frame stereo blocks in single and double precision, with the
// real block and sample sections (which read the wall clocks per frame).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "shell/entry.h"
#include "shell/vst24.h"

namespace {

intptr_t VST_CALL host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

template <typename F>
void processBlocks(benchmark::State& state) {
    const int32_t frames = static_cast<int32_t>(state.range(0));
    AEffect* e = createEffectInstance(&host);
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    e->dispatcher(e, effSetBlockSize, 0, frames, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<F> left(frames), right(frames);
    for (int32_t i = 0; i < frames; ++i) {
        left[i] = static_cast<F>(std::sin(i * 0.01));
        right[i] = static_cast<F>(std::cos(i * 0.01));
    }
    F* io[] = {left.data(), right.data()};
    for (auto _ : state) {
        if constexpr (sizeof(F) == sizeof(float))
            e->processReplacing(e, reinterpret_cast<float**>(io), reinterpret_cast<float**>(io),
                                frames);
        else
            e->processDoubleReplacing(e, reinterpret_cast<double**>(io),
                                      reinterpret_cast<double**>(io), frames);
        benchmark::DoNotOptimize(left.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

BENCHMARK_TEMPLATE(processBlocks, float)->Arg(32)->Arg(480)->Arg(4096);
BENCHMARK_TEMPLATE(processBlocks, double)->Arg(480);

}  // namespace

BENCHMARK_MAIN();
