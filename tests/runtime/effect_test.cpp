// The diagnostic effect's definition as the host and the runtime see it.
#include <gtest/gtest.h>

#include <cstring>

#include "script/kelvrixeffect.h"
#include "scripts.h"
#include "shell/entry.h"

using namespace testing_runtime;

namespace {

struct Effect {
    testing_shell::FakeHost host;
    AEffect* e = createEffectInstance(&testing_shell::FakeHost::callback);
    TKelvrixEffect* effect() {
        return static_cast<TKelvrixEffect*>(
            static_cast<TKelvrix*>(VeSTGetClient(static_cast<CVeST*>(e->object))));
    }
    std::string text(int32_t opcode, int32_t index) {
        char buffer[kVstMaxParamStrLen + 1 + 8];
        std::memset(buffer, '#', sizeof buffer);
        e->dispatcher(e, opcode, index, 0, buffer, 0.0f);
        for (size_t i = kVstMaxParamStrLen + 1; i < sizeof buffer; ++i)
            EXPECT_EQ(buffer[i], '#') << "overrun at " << i;
        return std::string(buffer, strnlen(buffer, kVstMaxParamStrLen + 1));
    }
    ~Effect() {
        if (e) e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    }
};

TEST(EffectDefinition, SevenCounterSlidersNamedByTheirNumbers) {
    Effect fx;
    ASSERT_NE(fx.e, nullptr);
    EXPECT_EQ(fx.e->numParams, 7);
    const char* names[] = {"20", "30", "31", "40", "41", "50", "51"};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(fx.text(effGetParamName, i), names[i]);
        EXPECT_EQ(fx.text(effGetParamLabel, i), "");
        EXPECT_EQ(fx.text(effGetParamDisplay, i), "0.00");
        EXPECT_EQ(fx.e->getParameter(fx.e, i), 0.0f);
        const CKelvrixSliderRecord& r = fx.effect()->sliderRecords[static_cast<size_t>(i)];
        EXPECT_EQ(r.sliderNumber, std::atoi(names[i]));
        EXPECT_EQ(r.maximum, 100.0);
        EXPECT_EQ(r.step, 0.001);
        EXPECT_TRUE(r.items.empty());
    }
    // Parameter "30" at one half is slider 30 at 50.
    fx.e->setParameter(fx.e, 1, 0.5f);
    EXPECT_EQ(fx.effect()->sliderValues[30], 50.0);
    EXPECT_EQ(fx.text(effGetParamDisplay, 1), "50.00");
}

TEST(EffectDefinition, ResetRegistersTheFiftyTwoLiteralsAndNothingElse) {
    Effect fx;
    TKelvrixEffect* effect = fx.effect();
    EXPECT_TRUE(effect->strings.empty());  // construction registers none
    for (int open = 0; open < 2; ++open) {
        effect->stringText(5);
        fx.e->dispatcher(fx.e, effOpen, 0, 0, nullptr, 0.0f);
        ASSERT_EQ(effect->strings.size(), 52u);
        EXPECT_EQ(effect->strings.begin()->first, 10000);
        EXPECT_EQ(effect->strings.rbegin()->first, 10051);
        EXPECT_EQ(effect->stringCount, 52.0);
        EXPECT_EQ(effect->stringText(10000), "Courier New");
        EXPECT_EQ(effect->stringText(10005), "ext ");
        EXPECT_EQ(effect->stringText(10008), " int ");
        EXPECT_EQ(effect->stringText(10040), "ready for test - play test-sample");
        EXPECT_EQ(effect->stringText(10048), "HALVORIK Test Plugin // ");
        EXPECT_EQ(effect->stringText(10051), " y");
    }
}

TEST(EffectDefinition, ResetClearsEveryScriptVariableButNoSlider) {
    TKelvrixEffect effect;
    CKelvrixEffectVariables& vars = effect;
    std::memset(static_cast<void*>(&vars), 0x7F, sizeof vars);
    effect.sliderValues[40] = 33.0;
    effect.reset();
    const auto* cells = reinterpret_cast<const double*>(&vars);
    for (size_t i = 0; i < sizeof vars / sizeof(double); ++i) EXPECT_EQ(cells[i], 0.0) << i;
    EXPECT_EQ(effect.sliderValues[40], 33.0);
}

TEST(EffectDefinition, SerializeLeavesSlidersAloneWhenRecordZeroIsIdle) {
    TKelvrixEffect effect;
    effect.sliderValues[1] = 4.0;
    effect.doSerialize();
    EXPECT_EQ(effect.sliderValues[1], 4.0);
    EXPECT_TRUE(effect.files[0].values.empty());
    EXPECT_EQ(effect.serializeIndex, 65.0);
}

}  // namespace
