// The translated diagnostic effect: its identity, sliders and literals, its
// variables, and its overrides of the runtime's sections.
#pragma once

#include "runtime/kelvrix.h"

// One rate test: counts its section's calls per second, once in its
// counter slider and once here.
struct RateTest {
    double internalCount;
    double windowStart;
    double externalResult;
    double internalResult;
};

// The script's own variables, all doubles, all cleared by reset.
struct CKelvrixEffectVariables {
    // Host facts: the host-side values as last asked, and the copies the
    // sections work with.
    double sysSampleRate, hostSampleRate;
    double sysChannels, hostChannels;
    double sysBlockSize, hostBlockSize;
    double sysTempo, hostTempo;
    double sysTimeSigNumerator, hostTimeSigNumerator;
    double sysTimeSigDenominator, hostTimeSigDenominator;

    double sysPlayState;
    double sysBeatPosition;
    double sysLatencyRequest;
    double latencyReported;
    double sysDisplayRefreshFlag;
    double displayRefreshTime;
    double wallClockSeconds;
    double effectVersion;
    double serializeIndex;
    double test60State;
    double test60Count;
    double test60LastSignal;

    RateTest test20, test30, test31, test40, test41, test50, test51;

    // Display.
    double gfxRed, gfxGreen, gfxBlue, gfxAlpha;
    double gfxWidth, gfxHeight;
    double frameWidth, frameHeight;
    double sysMouseCap, sysMouseX, sysMouseY;
    double lineY;
};

class TKelvrixEffect : public TKelvrix, public CKelvrixEffectVariables {
public:
    enum : int32_t { kFirstLiteral = 10000, kLiteralCount = 52 };

    // Runs before any shell exists: the shell link stays null here.
    TKelvrixEffect();
    ~TKelvrixEffect() override = default;

    // effOpen: the runtime's reset, then every variable 0 and the literals
    // registered again.
    void reset() override;
    // Exchanges sliders 1 to 64 with file record 0.
    void doSerialize() override;
};
