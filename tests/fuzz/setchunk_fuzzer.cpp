// Restoring state from arbitrary bytes, through the effect record as a host
// does it: the restore reads only the bytes it was given, answers their
// length, and leaves an effect that saves a well-formed state again, which
// in turn restores to itself.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/entry.h"

namespace {

intptr_t VST_CALL host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffect* instance() {
    static AEffect* effect = [] {
        AEffect* e = createEffectInstance(host);
        if (!e) std::abort();
        e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
        return e;
    }();
    return effect;
}

std::vector<unsigned char> save(AEffect* e) {
    void* data = nullptr;
    intptr_t size = e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
    if (size != 260 || !data) std::abort();
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (std::memcmp(bytes, "\x00\x00\x7A\xC4", 4) != 0) std::abort();
    return std::vector<unsigned char>(bytes, bytes + size);
}

// The state holds the marker, then sliders 1 to 64, four bytes each.
std::vector<unsigned char> withoutSlider20(std::vector<unsigned char> state) {
    const size_t at = 20 * 4;
    std::fill(state.begin() + at, state.begin() + at + 4, 0);
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AEffect* e = instance();
    intptr_t length = static_cast<intptr_t>(size);
    // The input's own buffer, exactly size bytes: a read past it is caught.
    void* bytes = size ? const_cast<uint8_t*>(data) : nullptr;
    if (e->dispatcher(e, effSetChunk, 0, length, bytes, 0.0f) != length) std::abort();
    std::vector<unsigned char> first = save(e);
    if (e->dispatcher(e, effSetChunk, 1, 260, first.data(), 0.0f) != 260) std::abort();
    // A restore runs the slider section, whose rate test counts in slider
    // 20; every other value must come back exactly as it was saved.
    if (withoutSlider20(save(e)) != withoutSlider20(first)) std::abort();
    return 0;
}
