#include "kelvrixeffect.h"

namespace {

constexpr const char* kTitle = "HALVORIK - Velmarch - (20200828)";
constexpr const char* kVendor = "HALVORIK";

// Each slider counts the rate test of the same number.
constexpr int32_t kSliderNumbers[] = {20, 30, 31, 40, 41, 50, 51};

// The display's texts, one per place of use, from id 10000 on.
constexpr const char* kLiterals[TKelvrixEffect::kLiteralCount] = {
    "Courier New",
    "mouse track: x",
    " y",
    "mouse input: click ",
    "test20: target value 1 or 2",
    "ext ", "ext ", " int ", " int ",
    "test30: target value ",
    "ext ", "ext ", " int ", " int ",
    "test31: target value ",
    "ext ", "ext ", " int ", " int ",
    "test40: target value ",
    "ext ", "ext ", " int ", " int ",
    "test41: target value ",
    "ext ", "ext ", " int ", " int ",
    "test50: target value above zero",
    "ext ", "ext ", " int ", " int ",
    "test51: target value above zero",
    "ext ", "ext ", " int ", " int ",
    "test60: target value variable",
    "ready for test - play test-sample",
    "calculated sample-rate ",
    " Hz",
    "running test - ",
    "current count ",
    " of 10",
    "calculated sample-rate ",
    " Hz",
    "HALVORIK Test Plugin // ",
    "v",
    "FrameBuffer x",
    " y",
};

}  // namespace

TKelvrixEffect::TKelvrixEffect() : CKelvrixEffectVariables() {
    effectName = kTitle;
    productString = kTitle;
    programName = kTitle;
    vendorString = kVendor;
    vendorVersion = 1000;
    uniqueID = 6248;
    channelCount = 2;
    for (int32_t number : kSliderNumbers)
        addSlider(number, nullptr, 0.0, 0.0, 100.0, 0.001, "", "", "", std::to_string(number));
}

void TKelvrixEffect::reset() {
    TKelvrix::reset();
    static_cast<CKelvrixEffectVariables&>(*this) = CKelvrixEffectVariables();
    for (int32_t i = 0; i < kLiteralCount; ++i) registerLiteral(kFirstLiteral + i, kLiterals[i]);
}

void TKelvrixEffect::doSerialize() {
    serializeIndex = 1;
    for (int32_t round = 0; round < 1000000; ++round) {
        fileVar(files[0], sliderValues[toInt(serializeIndex) & 127]);
        serializeIndex = sanitize(serializeIndex + 1);
        if (!(serializeIndex <= 64)) break;
    }
}
