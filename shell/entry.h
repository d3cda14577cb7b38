// The plug-in's entry points. VSTPluginMain is also exported as main; MAIN
// is a function of its own with the same behaviour.
#pragma once

#include "vst24.h"

extern "C" {
AEffect* VST_CALL VSTPluginMain(audioMasterCallback host);
AEffect* VST_CALL MAIN(audioMasterCallback host);
}

// Builds one effect instance for the host; null when the host refuses.
AEffect* createEffectInstance(audioMasterCallback host);
