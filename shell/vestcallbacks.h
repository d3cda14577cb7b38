// The client callback record: every host request and editor event the shell
// hands to its client. Each entry takes the shell first and may be null.
#pragma once

#include <cstdint>

class CVeST;

struct VeSTCallbacks {
    int32_t (*onCreate)(CVeST* shell);
    void (*onDestroy)(CVeST* shell);
    void (*onOpen)(CVeST* shell);
    void (*onSuspend)(CVeST* shell);
    void (*onResume)(CVeST* shell);
    void (*onEditorIdle)(CVeST* shell);
    void (*onClose)(CVeST* shell);
    void (*onDraw)(CVeST* shell, double width, double height);
    void (*onMouseDown)(CVeST* shell, double x, double y, int32_t buttons);
    void (*onMouseUp)(CVeST* shell, double x, double y, int32_t buttons);
    void (*onMouseMove)(CVeST* shell, double x, double y, int32_t buttons);
    void (*onKeyPress)(CVeST* shell, int32_t character, uint8_t modifier, uint8_t virt);
    void (*onKeyRelease)(CVeST* shell, int32_t character, uint8_t modifier, uint8_t virt);
    int32_t (*getVendorVersion)(CVeST* shell);
    // The text entries write into host buffers of the interface's fixed
    // capacities (vendor and product 64, effect name 32, program name 24,
    // parameter texts 8 characters, each plus a terminating zero).
    int32_t (*getVendorString)(CVeST* shell, char* text);
    int32_t (*getProductString)(CVeST* shell, char* text);
    int32_t (*getEffectName)(CVeST* shell, char* text);
    int32_t (*getProgramName)(CVeST* shell, char* text);
    void (*setProgramName)(CVeST* shell, const char* name);
    int32_t (*getProgramNameIndexed)(CVeST* shell, int32_t category, int32_t index, char* text);
    double (*getParameter)(CVeST* shell, int32_t index);
    void (*setParameter)(CVeST* shell, int32_t index, double value);
    void (*getParameterName)(CVeST* shell, int32_t index, char* text);
    void (*getParameterLabel)(CVeST* shell, int32_t index, char* text);
    void (*getParameterDisplay)(CVeST* shell, int32_t index, char* text);
    void (*processReplacing)(CVeST* shell, float** inputs, float** outputs, int32_t sampleFrames);
    void (*processDoubleReplacing)(CVeST* shell, double** inputs, double** outputs,
                                   int32_t sampleFrames);
    int32_t (*getChunk)(CVeST* shell, void** data, bool isPreset);
    int32_t (*setChunk)(CVeST* shell, void* data, int32_t byteSize, bool isPreset);
};

static_assert(sizeof(VeSTCallbacks) == 29 * sizeof(void (*)()), "29 entries, no padding");
