// File records and the saved state: the chunk's bytes, the restore order,
// and what damaged chunks leave alone.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "probe.h"
#include "scripts.h"
#include "script/kelvrixeffect.h"

using namespace testing_runtime;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes single(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
            static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

float singleAt(const unsigned char* p) {
    uint32_t bits = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

Bytes chunkOf(std::initializer_list<float> values) {
    Bytes out;
    for (float v : values) {
        Bytes b = single(v);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

// The effect with its sections logged, so the restore order shows.
struct LoggedEffect : TKelvrixEffect {
    std::vector<std::string> log;
    void doInit() override { log.push_back("init"); }
    void doSlider() override { log.push_back("slider"); }
    void doSerialize() override {
        log.push_back("serialize");
        TKelvrixEffect::doSerialize();
    }
};

void numberSliders(TKelvrix& s) {
    for (int k = 0; k < 128; ++k) s.sliderValues[k] = k + 0.25;
}

TEST(StateChunk, HoldsTheMarkerThenSliders1To64AsLittleEndianSingles) {
    LoggedEffect e;
    numberSliders(e);
    e.sliderValues[20] = 12.346;
    void* data = nullptr;
    ASSERT_EQ(e.saveState(&data), 260);
    const auto* bytes = static_cast<const unsigned char*>(data);
    EXPECT_EQ(Bytes(bytes, bytes + 4), (Bytes{0x00, 0x00, 0x7A, 0xC4}));
    for (int k = 1; k <= 64; ++k)
        EXPECT_EQ(singleAt(bytes + 4 * k), static_cast<float>(e.sliderValues[k])) << k;
    EXPECT_EQ(e.files[0].mode, CKelvrixFileRecord::kWriting);
    EXPECT_EQ(e.log, std::vector<std::string>{"serialize"});

    LoggedEffect fresh;
    Bytes copy(bytes, bytes + 260);
    EXPECT_EQ(fresh.loadState(copy.data(), 260), 260);
    EXPECT_EQ(fresh.log, (std::vector<std::string>{"init", "serialize", "slider"}));
    EXPECT_EQ(fresh.sliderValues[20], 12.345999717712402);
    EXPECT_EQ(fresh.sliderValues[64], 64.25);
    EXPECT_EQ(fresh.sliderValues[0], 0.0);
    EXPECT_EQ(fresh.sliderValues[65], 0.0);
    EXPECT_EQ(fresh.files[0].mode, CKelvrixFileRecord::kReading);
    EXPECT_EQ(fresh.files[0].position, 65);

    // The init section runs through a restore once in the object's life.
    fresh.log.clear();
    fresh.loadState(copy.data(), 260);
    EXPECT_EQ(fresh.log, (std::vector<std::string>{"serialize", "slider"}));
    EXPECT_EQ(fresh.initCount, 2);
}

struct DamagedCase {
    const char* what;
    Bytes bytes;
    int32_t length;
    bool nullPointer;
};

TEST(StateChunk, DamagedChunksChangeNothingAndAnswerTheirLength) {
    Bytes badMarker = chunkOf({-999.0f, 7, 7, 7});
    Bytes good = chunkOf({-1000.0f, 7, 7, 7});
    const DamagedCase cases[] = {
        {"marker -999", badMarker, 16, false},
        {"3 bytes", Bytes(good.begin(), good.begin() + 3), 3, false},
        {"empty", Bytes{}, 0, false},
        {"negative length", good, -16, false},
        {"null bytes", Bytes{}, 16, true},
        {"marker one bit off", chunkOf({-1000.0001f, 7}), 8, false},
    };
    for (const DamagedCase& c : cases) {
        LoggedEffect e;
        numberSliders(e);
        const void* p = c.nullPointer ? nullptr : c.bytes.data();
        EXPECT_EQ(e.loadState(p, c.length), c.length) << c.what;
        EXPECT_TRUE(e.log.empty()) << c.what;
        EXPECT_EQ(e.sliderValues[1], 1.25) << c.what;
        EXPECT_EQ(e.initCount, 0) << c.what;
    }
}

TEST(StateChunk, AMarkerAloneRunsTheSectionsAndKeepsEverySlider) {
    LoggedEffect e;
    numberSliders(e);
    Bytes six = chunkOf({-1000.0f, 5.0f});
    EXPECT_EQ(e.loadState(six.data(), 6), 6);  // the 2 bytes after the marker are ignored
    EXPECT_EQ(e.log, (std::vector<std::string>{"init", "serialize", "slider"}));
    EXPECT_EQ(e.sliderValues[1], 1.25);

    // A short chunk restores what it holds; the rest keep their values.
    Bytes two = chunkOf({-1000.0f, 9.0f, 8.0f});
    e.loadState(two.data(), 12);
    EXPECT_EQ(e.sliderValues[1], 9.0);
    EXPECT_EQ(e.sliderValues[2], 8.0);
    EXPECT_EQ(e.sliderValues[3], 3.25);
}

TEST(StateChunk, NothingSerialisedMeansNoChunk) {
    LoggingScript plain;
    void* data = &plain;
    EXPECT_EQ(plain.saveState(&data), 0);
    EXPECT_EQ(data, &plain);
}

// Hosts may hand back the very bytes they were given, and may keep them
// until their next chunk request.
TEST(StateChunk, HostsGetStableBytesAndMayHandThemBack) {
    testing_shell::FakeHost host;
    AEffect* e = kelvrixCreateInstance(new TKelvrixEffect, &testing_shell::FakeHost::callback);
    ASSERT_NE(e, nullptr);
    auto* effect = static_cast<TKelvrix*>(VeSTGetClient(static_cast<CVeST*>(e->object)));
    numberSliders(*effect);
    void* data = nullptr;
    intptr_t size = e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
    ASSERT_EQ(size, 260);
    const auto* bytes = static_cast<const unsigned char*>(data);
    Bytes saved(bytes, bytes + 260);

    for (int k = 0; k < 128; ++k) effect->sliderValues[k] = -1;
    e->setParameter(e, 0, 0.5f);
    EXPECT_EQ(Bytes(bytes, bytes + 260), saved);
    EXPECT_EQ(e->dispatcher(e, effSetChunk, 1, size, data, 0.0f), 260);
    EXPECT_EQ(Bytes(bytes, bytes + 260), saved);
    // Slider 20 is left out: the restore's slider section counts in it.
    EXPECT_EQ(effect->sliderValues[21], 21.25);
    EXPECT_EQ(effect->sliderValues[64], 64.25);
    EXPECT_EQ(effect->sliderValues[65], -1.0);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

TEST(FileRecords, FileVarWritesAtThePositionAndReadsWhileValuesRemain) {
    CKelvrixFileRecord r;
    r.values = {1, 2, 3, 4, 5};
    r.position = 2;
    r.mode = CKelvrixFileRecord::kWriting;
    double v = 9.5;
    CKelvrixFiles::fileVar(r, v);
    EXPECT_EQ(r.values, (std::vector<float>{1, 2, 9.5f, 4, 5}));
    EXPECT_EQ(r.position, 3);
    r.position = 7;
    CKelvrixFiles::fileVar(r, v);
    EXPECT_EQ(r.values, (std::vector<float>{1, 2, 9.5f, 4, 5, 0, 0, 9.5f}));

    r.mode = CKelvrixFileRecord::kReading;
    r.position = 1;
    CKelvrixFiles::fileVar(r, v);
    EXPECT_EQ(v, 2.0);
    EXPECT_EQ(r.position, 2);
    r.position = 8;
    CKelvrixFiles::fileVar(r, v);
    EXPECT_EQ(v, 2.0);
    EXPECT_EQ(r.position, 8);

    r.mode = CKelvrixFileRecord::kIdle;
    r.position = 0;
    CKelvrixFiles::fileVar(r, v);
    EXPECT_EQ(v, 2.0);
    EXPECT_EQ(r.position, 0);
}

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Named write records go to disk when the object ends: one byte per value,
// the low 8 bits of its integer.
TEST(FileRecords, NamedWriteRecordsAreWrittenOutOnDestruction) {
    ProbeModule probe;
    ASSERT_NE(probe.handle, nullptr);
    ScratchFolder out(probe.folder / "Out");
    {
        LoggingScript s;
        CKelvrixFileRecord named;
        named.fileName = "Out/record.bin";
        named.mode = CKelvrixFileRecord::kWriting;
        named.values = {3.7f, -3.7f, 256.0f, 255.0f, -1.0f};
        s.files.push_back(named);
        named.fileName = "Out/read.bin";  // a read record is not written
        named.mode = CKelvrixFileRecord::kReading;
        s.files.push_back(named);
        named.fileName = "Absent/record.bin";  // cannot be opened: skipped
        named.mode = CKelvrixFileRecord::kWriting;
        s.files.push_back(named);
        EXPECT_FALSE(std::filesystem::exists(out.path / "record.bin"));
    }
    EXPECT_EQ(readFile(out.path / "record.bin"), (Bytes{0x03, 0xFD, 0x00, 0xFF, 0xFF}));
    EXPECT_FALSE(std::filesystem::exists(out.path / "read.bin"));
    EXPECT_FALSE(std::filesystem::exists(probe.folder / "Absent"));
}

}  // namespace
