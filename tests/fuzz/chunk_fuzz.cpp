// Feeds arbitrary bytes to the effect as a host's state chunk, the way a host
// restoring a damaged or foreign preset would: through the record's
// dispatcher, from a buffer of exactly the given size so that any read past
// it is caught. The effect must survive, keep its parameters in range of
// what a float holds, and still hand out a chunk it can read back.
#include <cstdint>
#include <cstring>
#include <vector>

#include "shell/entry.h"
#include "shell/vst24.h"

namespace {

intptr_t VST_CALL host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void roundTrip(AEffect* e) {
    void* chunk = nullptr;
    intptr_t size = e->dispatcher(e, effGetChunk, 0, 0, &chunk, 0.0f);
    if (size <= 0 || !chunk) return;
    // Copy first: the effect may replace its chunk while reading.
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(chunk),
                                    static_cast<const unsigned char*>(chunk) + size);
    e->dispatcher(e, effSetChunk, 0, static_cast<intptr_t>(copy.size()), copy.data(), 0.0f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AEffect* e = createEffectInstance(&host);
    if (!e) return 0;
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
    std::vector<unsigned char> bytes(data, data + size);
    for (int32_t isPreset = 0; isPreset < 2; ++isPreset) {
        e->dispatcher(e, effSetChunk, isPreset, static_cast<intptr_t>(bytes.size()),
                      bytes.empty() ? nullptr : bytes.data(), 0.0f);
        roundTrip(e);
    }
    for (int32_t i = 0; i < e->numParams; ++i) {
        char text[kVstMaxParamStrLen + 1];
        e->getParameter(e, i);
        e->dispatcher(e, effGetParamDisplay, i, 0, text, 0.0f);
    }
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
