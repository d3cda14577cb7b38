// The editor base the effect owns. The host reaches it only through the
// dispatcher's editor opcodes; the toolkit-backed editor derives from it.
#pragma once

#include "vst24.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;

    virtual AudioEffect* getEffect() { return effect; }
    // Stores a pointer to the editor's own rectangle; the host reads it there.
    virtual bool getRect(ERect** rect) {
        (void)rect;
        return false;
    }
    virtual bool open(void* parentWindow) {
        systemWindow = parentWindow;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& keyCode) {
        (void)keyCode;
        return false;
    }
    virtual bool onKeyUp(VstKeyCode& keyCode) {
        (void)keyCode;
        return false;
    }
    virtual bool onWheel(float distance) {
        (void)distance;
        return false;
    }
    virtual bool setKnobMode(int32_t mode) {
        (void)mode;
        return false;
    }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
