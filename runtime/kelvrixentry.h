// How the runtime meets the shell: the callback record it supplies, and the
// creation of one plug-in instance around a script object.
#pragma once

#include <cstdint>

#include "kelvrix.h"
#include "shell/vestcallbacks.h"
#include "shell/vst24.h"

// The runtime's entries of the callback record; the key entries stay null
// (the runtime handles no keys).
VeSTCallbacks kelvrixCallbacks();

// Creates the shell around a freshly constructed script object, which the
// shell owns from then on, and answers the effect record. When no shell can
// be created the script object is deleted and the answer is null.
AEffect* kelvrixCreateInstance(TKelvrix* script, audioMasterCallback host);
