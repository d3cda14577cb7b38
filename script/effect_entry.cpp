// Builds one effect instance for the host: the script object first, then the
// shell around it.
#include <new>

#include "kelvrixeffect.h"
#include "runtime/kelvrixentry.h"
#include "shell/entry.h"

AEffect* createEffectInstance(audioMasterCallback host) {
    TKelvrixEffect* effect = new (std::nothrow) TKelvrixEffect;
    return kelvrixCreateInstance(effect, host);
}
