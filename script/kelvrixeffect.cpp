#include "kelvrixeffect.h"

#include <cmath>

#include "shell/vestclient.h"

namespace {

constexpr const char* kTitle = "HALVORIK - Velmarch - (20200828)";
constexpr const char* kVendor = "HALVORIK";
constexpr double kEffectVersion = 20200828.0;
constexpr double kRedrawsPerSecond = 30.0;
// Frames louder than this (strictly) belong to the test signal of test 60.
constexpr double kTestSignalThreshold = 0.001;

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

void TKelvrixEffect::copyHostFacts() {
    sysSampleRate = sanitize(hostSampleRate);
    sysChannels = sanitize(hostChannels);
    sysBlockSize = sanitize(hostBlockSize);
    sysTempo = sanitize(hostTempo);
    sysTimeSigNumerator = sanitize(hostTimeSigNumerator);
    sysTimeSigDenominator = sanitize(hostTimeSigDenominator);
}

void TKelvrixEffect::doInit() {
    gfxRed = 0.0;
    gfxGreen = 0.0;
    gfxBlue = 0.0;
    gfxAlpha = 0.0;
    frameRate = kRedrawsPerSecond;
    hostSampleRate = sanitize(static_cast<double>(VeSTGetSampleRate(shell)));
    hostChannels = sanitize(VeSTGetNumInputs(shell));
    hostBlockSize = sanitize(VeSTGetBlockSize(shell));
    hostTempo = sanitize(VeSTGetTempo(shell));
    // The time signature is only asked per block; its copies take the
    // values last asked.
    copyHostFacts();
    effectVersion = kEffectVersion;
}

void TKelvrixEffect::doSlider() {
    copyHostFacts();
    updateRateTest(test20, 20, RateClock::wholeSecond);
}

void TKelvrixEffect::doBlock() {
    // This effect never sets the refresh flag or a latency request, so
    // neither call reaches the host; the checks still run every block so a
    // value set there is acted on within a quarter second.
    if (wallClock->preciseSeconds() - displayRefreshTime > 0.25) {
        if (!equals(sysDisplayRefreshFlag, 0.0)) {
            sysDisplayRefreshFlag = 0.0;
            VeSTUpdateDisplay(shell);
        }
        displayRefreshTime = sanitize(wallClock->preciseSeconds());
    }
    if (!equals(sysLatencyRequest, latencyReported)) {
        latencyReported = sanitize(sysLatencyRequest);
        VeSTSetInitialDelay(shell, toInt(sysLatencyRequest));
    }

    // Without time information the call writes nothing: the last values the
    // host gave stand.
    double tempo = hostTempo;
    double numerator = hostTimeSigNumerator;
    double denominator = hostTimeSigDenominator;
    VeSTGetTimeSignature(shell, &tempo, &numerator, &denominator);
    hostTempo = sanitize(tempo);
    hostTimeSigNumerator = sanitize(numerator);
    hostTimeSigDenominator = sanitize(denominator);
    double playing = VeSTIsPlaying(shell) ? 1.0 : 0.0;
    double recording = VeSTIsRecording(shell) ? 4.0 : 0.0;
    sysPlayState = sanitize(playing + recording);
    sysBeatPosition = sanitize(VeSTGetPpqPos(shell));

    copyHostFacts();
    updateRateTest(test30, 30, RateClock::wholeSecond);
    updateRateTest(test31, 31, RateClock::precise);
    // The block's own second: the sample-rate test measures its silences in
    // whole blocks' seconds.
    wallClockSeconds = sanitize(wallClock->wholeSeconds());
}

void TKelvrixEffect::doSample() {
    copyHostFacts();
    updateRateTest(test40, 40, RateClock::wholeSecond);
    updateRateTest(test41, 41, RateClock::precise);
    runSampleRateTest();
}

void TKelvrixEffect::runSampleRateTest() {
    // Signed: a frame loud only in the negative direction is not the signal.
    double x = max(samples[0], samples[1]);
    if (equals(test60State, 0.0)) {
        if (!(x > kTestSignalThreshold)) return;
        test60Count = 0.0;
        test60State = 1.0;
    }
    if (equals(test60State, 1.0)) {
        if (x > kTestSignalThreshold) {
            test60LastSignal = sanitize(wallClockSeconds);
            test60Count = sanitize(test60Count + 1.0);
        }
        if (x < kTestSignalThreshold && wallClockSeconds - 4.0 > test60LastSignal)
            test60State = 0.0;
    }
}

void TKelvrixEffect::closeWindow(RateTest& test, double& counter, double start) {
    test.externalResult = sanitize(counter);
    test.internalResult = sanitize(test.internalCount);
    counter = 0.0;
    test.internalCount = 0.0;
    test.windowStart = sanitize(start);
}

void TKelvrixEffect::updateRateTest(RateTest& test, int32_t counterSlider, RateClock clock) {
    double& counter = sliderValues[static_cast<size_t>(counterSlider) & (kSliderCount - 1)];
    counter = sanitize(counter + 1.0);
    test.internalCount = sanitize(test.internalCount + 1.0);
    // Every comparison and every assignment reads its clock anew: a section
    // that straddles a second boundary keeps the later reading.
    WallClock& c = *wallClock;
    if (clock == RateClock::wholeSecond) {
        if (c.wholeSeconds() > test.windowStart) closeWindow(test, counter, c.wholeSeconds());
        if (test.windowStart > c.wholeSeconds() + 3.0) closeWindow(test, counter, c.wholeSeconds());
    } else {
        // The window starts at the precise moment but ends at the next whole
        // second.
        if (std::trunc(c.preciseSeconds()) > test.windowStart)
            closeWindow(test, counter, c.preciseSeconds());
        if (test.windowStart > c.preciseSeconds() + 3.0)
            closeWindow(test, counter, c.preciseSeconds());
    }
}
