// The translated diagnostic effect: its identity and, as the script's
// sections are translated, their overrides of the runtime's operations.
#pragma once

#include "runtime/kelvrix.h"

class TKelvrixEffect : public TKelvrix {
public:
    // Runs before any shell exists: the shell link stays null here.
    TKelvrixEffect();
    ~TKelvrixEffect() override = default;
};
