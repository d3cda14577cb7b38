#include "entry.h"

extern "C" AEffect* VST_CALL VSTPluginMain(audioMasterCallback host) {
    try {
        return createEffectInstance(host);
    } catch (...) {
        return nullptr;  // nothing may unwind into the host
    }
}

extern "C" AEffect* VST_CALL MAIN(audioMasterCallback host) {
    try {
        return createEffectInstance(host);
    } catch (...) {
        return nullptr;
    }
}
