#include "kelvrixeffect.h"

namespace {
constexpr const char* kTitle = "HALVORIK - Velmarch - (20200828)";
constexpr const char* kVendor = "HALVORIK";
}  // namespace

TKelvrixEffect::TKelvrixEffect() {
    effectName = kTitle;
    productString = kTitle;
    programName = kTitle;
    vendorString = kVendor;
    vendorVersion = 1000;
    uniqueID = 6248;
    channelCount = 2;
}
