// File records and the effect's saved state.
#include <cstdio>
#include <cstring>

#include "kelvrix.h"

namespace {

constexpr float kStateMarker = -1000.0f;

// The state travels as little-endian IEEE singles on every build, so a
// state saved by one build loads in any other.
void putSingle(unsigned char* to, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) to[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float getSingle(const unsigned char* from) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(from[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

void CKelvrixFiles::fileVar(CKelvrixFileRecord& record, double& variable) {
    if (record.position < 0) return;
    size_t k = static_cast<size_t>(record.position);
    if (record.mode == CKelvrixFileRecord::kWriting) {
        if (record.values.size() < k + 1) record.values.resize(k + 1, 0.0f);
        record.values[k] = static_cast<float>(variable);
        record.position += 1;
    } else if (record.mode == CKelvrixFileRecord::kReading) {
        if (k < record.values.size()) {
            variable = static_cast<double>(record.values[k]);
            record.position += 1;
        }
    }
}

void CKelvrixFiles::resetRecord(CKelvrixFileRecord& record) {
    if (record.mode == CKelvrixFileRecord::kWriting && !record.fileName.empty()) {
        // A file that cannot be opened is skipped: there is no one to tell.
        if (std::FILE* file = std::fopen(moduleRelativePath(record.fileName).c_str(), "wb")) {
            for (float value : record.values) std::fputc(toInt(value) & 0xFF, file);
            std::fclose(file);
        }
    }
    record.fileName.clear();
    record.position = 0;
    record.values.clear();
}

// Named write records are written out before the records go.
CKelvrixFiles::~CKelvrixFiles() {
    for (CKelvrixFileRecord& record : files) {
        resetRecord(record);
        record.mode = CKelvrixFileRecord::kIdle;
    }
}

int32_t TKelvrix::saveState(void** out) {
    CKelvrixFileRecord& state = files[0];
    resetRecord(state);
    state.mode = CKelvrixFileRecord::kWriting;
    double marker = kStateMarker;
    fileVar(state, marker);
    doSerialize();
    if (state.values.size() <= 1 || !out) return 0;
    stateChunk.resize(state.values.size() * 4);
    for (size_t i = 0; i < state.values.size(); ++i) putSingle(&stateChunk[4 * i], state.values[i]);
    *out = stateChunk.data();
    return static_cast<int32_t>(stateChunk.size());
}

// Only the bytes given are read: a null pointer or a length below 4 gives
// no values, and 1 to 3 trailing bytes are ignored.
int32_t TKelvrix::loadState(const void* bytes, int32_t length) {
    CKelvrixFileRecord& state = files[0];
    resetRecord(state);
    state.mode = CKelvrixFileRecord::kReading;
    size_t count = (bytes && length > 0) ? static_cast<size_t>(length) / 4 : 0;
    const auto* from = static_cast<const unsigned char*>(bytes);
    state.values.resize(count);
    for (size_t i = 0; i < count; ++i) state.values[i] = getSingle(from + 4 * i);
    if (count == 0) return length;
    double first = 0.0;
    fileVar(state, first);
    if (first != static_cast<double>(kStateMarker)) return length;
    initOnce();
    doSerialize();
    doSlider();
    return length;
}
