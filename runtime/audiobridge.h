// The audio bridge: one host block becomes one call of the block section
// and one call of the sample section per frame. Host audio thread; nothing
// here allocates or locks.
#pragma once

#include <cstdint>
#include <mutex>

#include "kelvrix.h"

// A channel count fixed by the first process call in the process and shared
// by every instance afterwards. Concurrent first calls initialise it once.
class CProcessChannelCount {
public:
    template <typename Query>
    int32_t get(Query query) {
        std::call_once(once, [&] { count = query(); });
        return count;
    }

private:
    std::once_flag once;
    int32_t count = 0;
};

namespace kelvrix_detail {
template <typename F>
bool haveChannels(F** inputs, F** outputs, int32_t channels) {
    if (!inputs || !outputs) return false;
    for (int32_t k = 0; k < channels; ++k)
        if (!inputs[k] || !outputs[k]) return false;
    return true;
}
}  // namespace kelvrix_detail

// Each frame's inputs are read before its outputs are written, so the host
// may pass the same buffers for input and output. Channels beyond the 64
// sample variables are not carried; a block whose buffers are missing runs
// the block section only.
template <typename F>
void processKelvrixBlock(TKelvrix& script, F** inputs, F** outputs, int32_t sampleFrames,
                         int32_t channels) {
    script.doBlock();
    if (sampleFrames <= 0) return;
    double* s = script.samples.data();
    if (channels == 2) {
        if (!kelvrix_detail::haveChannels(inputs, outputs, 2)) return;
        const F* in0 = inputs[0];
        const F* in1 = inputs[1];
        F* out0 = outputs[0];
        F* out1 = outputs[1];
        for (int32_t i = 0; i < sampleFrames; ++i) {
            s[0] = static_cast<double>(in0[i]);
            s[1] = static_cast<double>(in1[i]);
            script.doSample();
            out0[i] = static_cast<F>(s[0]);
            out1[i] = static_cast<F>(s[1]);
        }
        return;
    }
    int32_t n = channels < TKelvrix::kMaxChannels ? channels : TKelvrix::kMaxChannels;
    if (n > 0 && !kelvrix_detail::haveChannels(inputs, outputs, n)) return;
    for (int32_t i = 0; i < sampleFrames; ++i) {
        for (int32_t k = n - 1; k >= 0; --k) s[k] = static_cast<double>(inputs[k][i]);
        script.doSample();
        for (int32_t k = n - 1; k >= 0; --k) outputs[k][i] = static_cast<F>(s[k]);
    }
}
