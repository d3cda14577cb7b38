// Test scripts: runtime objects whose sections log what ran, and helpers
// that build a real shell around them with a scripted host.
#pragma once

#include <string>
#include <vector>

#include "runtime/kelvrix.h"
#include "runtime/kelvrixentry.h"
#include "tests/shell/fixtures.h"

namespace testing_runtime {

// Logs every section that runs; optionally transforms the samples.
class LoggingScript : public TKelvrix {
public:
    std::vector<std::string> log;
    int blocks = 0;
    int frames = 0;
    bool* destroyed = nullptr;
    // Applied to the sample variables once per frame when set.
    void (*transform)(double* samples) = nullptr;

    ~LoggingScript() override {
        if (destroyed) *destroyed = true;
    }
    void doSlider() override { log.push_back("slider"); }
    void doBlock() override { ++blocks; }
    void doSample() override {
        ++frames;
        if (transform) transform(samples.data());
    }
    void reset() override {
        TKelvrix::reset();
        log.push_back("reset");
    }
    void doClose() override { log.push_back("close"); }
    void doSuspend() override { log.push_back("suspend"); }
    void doInit() override { log.push_back("init"); }
    void doGfx() override { log.push_back("gfx"); }
    void doIdle() override {
        log.push_back("idle");
        TKelvrix::doIdle();
    }
};

// A shell built by the runtime around a script, as the entry point builds it.
struct Instance {
    testing_shell::FakeHost host;
    LoggingScript* script;
    AEffect* effect;

    explicit Instance(int32_t channels = 2) : script(new LoggingScript) {
        script->channelCount = channels;
        effect = kelvrixCreateInstance(script, &testing_shell::FakeHost::callback);
    }
    ~Instance() {
        if (effect) dispatch(effClose);
    }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
};

}  // namespace testing_runtime
