// The translated diagnostic effect: its identity, sliders and literals, its
// variables, and its overrides of the runtime's sections.
#pragma once

#include "runtime/kelvrix.h"
#include "shell/platform/wallclock.h"

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
    // Which wall clock closes a rate test's windows.
    enum class RateClock { wholeSecond, precise };

    // Runs before any shell exists: the shell link stays null here.
    TKelvrixEffect();
    ~TKelvrixEffect() override = default;

    // effOpen: the runtime's reset, then every variable 0 and the literals
    // registered again.
    void reset() override;
    // Exchanges sliders 1 to 64 with file record 0.
    void doSerialize() override;

    // Resume and first restore (control thread): host facts and display
    // defaults.
    void doInit() override;
    // Whichever thread changes a parameter or restores state: test 20.
    void doSlider() override;
    // Audio thread, once per block: transport, tests 30 and 31.
    void doBlock() override;
    // Audio thread, once per frame: tests 40 and 41 and the sample-rate
    // test. Reads the two channels and writes none, so audio passes as is.
    void doSample() override;

    // Counts one call of a test's section in its counter slider and in the
    // test, and closes the window once the clock has moved on to a later
    // second or has been set back by more than 3 seconds. The display's
    // tests run it too, on the editor's thread.
    void updateRateTest(RateTest& test, int32_t counterSlider, RateClock clock);

    // The clocks of the rate tests and of the sample-rate test. Not owned;
    // never null. Replaceable so timed behaviour can be driven by hand.
    WallClock* wallClock = &systemWallClock();

private:
    // Script-side copies of the host facts, at the start of the slider,
    // block and sample sections.
    void copyHostFacts();
    void closeWindow(RateTest& test, double& counter, double start);
    void runSampleRateTest();
};
