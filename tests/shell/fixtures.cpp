#include "fixtures.h"

#include <cstdio>

namespace testing_shell {

char LoggingClient::chunkBytes[4] = {1, 2, 3, 4};

std::string num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

VeSTCallbacks LoggingClient::table() {
    VeSTCallbacks t{};
    t.onCreate = [](CVeST* s) -> int32_t {
        of(s)->created++;
        of(s)->add("onCreate");
        return 0;
    };
    t.onDestroy = [](CVeST* s) {
        of(s)->add("onDestroy");
        if (of(s)->destroyed) *of(s)->destroyed = true;
    };
    t.onOpen = [](CVeST* s) { of(s)->add("onOpen"); };
    t.onSuspend = [](CVeST* s) { of(s)->add("onSuspend"); };
    t.onResume = [](CVeST* s) { of(s)->add("onResume"); };
    t.onEditorIdle = [](CVeST* s) { of(s)->add("onEditorIdle"); };
    t.onClose = [](CVeST* s) { of(s)->add("onClose"); };
    t.onDraw = [](CVeST* s, double w, double h) { of(s)->add("onDraw(" + num(w) + "," + num(h) + ")"); };
    t.onMouseDown = [](CVeST* s, double, double, int32_t) { of(s)->add("onMouseDown"); };
    t.onMouseUp = [](CVeST* s, double, double, int32_t) { of(s)->add("onMouseUp"); };
    t.onMouseMove = [](CVeST* s, double, double, int32_t) { of(s)->add("onMouseMove"); };
    t.onKeyPress = [](CVeST* s, int32_t, uint8_t, uint8_t) { of(s)->add("onKeyPress"); };
    t.onKeyRelease = [](CVeST* s, int32_t, uint8_t, uint8_t) { of(s)->add("onKeyRelease"); };
    t.getVendorVersion = [](CVeST* s) -> int32_t {
        of(s)->add("getVendorVersion");
        return 1234;
    };
    t.getVendorString = [](CVeST* s, char* text) -> int32_t {
        of(s)->add("getVendorString");
        std::strcpy(text, "vendor");
        return of(s)->textAnswer;
    };
    t.getProductString = [](CVeST* s, char* text) -> int32_t {
        of(s)->add("getProductString");
        std::strcpy(text, "product");
        return of(s)->textAnswer;
    };
    t.getEffectName = [](CVeST* s, char* text) -> int32_t {
        of(s)->add("getEffectName");
        std::strcpy(text, "effect");
        return of(s)->textAnswer;
    };
    t.getProgramName = [](CVeST* s, char* text) -> int32_t {
        of(s)->add("getProgramName");
        std::strcpy(text, "program");
        return 1;
    };
    t.setProgramName = [](CVeST* s, const char* name) {
        of(s)->add(std::string("setProgramName(") + name + ")");
    };
    t.getProgramNameIndexed = [](CVeST* s, int32_t category, int32_t index, char*) -> int32_t {
        of(s)->add("getProgramNameIndexed(" + num(category) + "," + num(index) + ")");
        return 0;
    };
    t.getParameter = [](CVeST* s, int32_t index) -> double {
        of(s)->add("getParameter(" + num(index) + ")");
        return of(s)->parameterAnswer;
    };
    t.setParameter = [](CVeST* s, int32_t index, double value) {
        of(s)->add("setParameter(" + num(index) + "," + num(value) + ")");
    };
    t.getParameterName = [](CVeST* s, int32_t index, char* text) {
        of(s)->add("getParameterName(" + num(index) + ")");
        std::strcpy(text, "name");
    };
    t.getParameterLabel = [](CVeST* s, int32_t index, char* text) {
        of(s)->add("getParameterLabel(" + num(index) + ")");
        std::strcpy(text, "label");
    };
    t.getParameterDisplay = [](CVeST* s, int32_t index, char* text) {
        of(s)->add("getParameterDisplay(" + num(index) + ")");
        std::strcpy(text, "disp");
    };
    t.processReplacing = [](CVeST* s, float**, float**, int32_t frames) {
        of(s)->add("processReplacing(" + num(frames) + ")");
    };
    t.processDoubleReplacing = [](CVeST* s, double**, double**, int32_t frames) {
        of(s)->add("processDoubleReplacing(" + num(frames) + ")");
    };
    t.getChunk = [](CVeST* s, void** data, bool isPreset) -> int32_t {
        of(s)->add(std::string("getChunk(") + (isPreset ? "preset" : "bank") + ")");
        *data = chunkBytes;
        return 4;
    };
    t.setChunk = [](CVeST* s, void*, int32_t size, bool isPreset) -> int32_t {
        of(s)->add("setChunk(" + num(size) + "," + (isPreset ? "preset" : "bank") + ")");
        return size;
    };
    return t;
}

}  // namespace testing_shell
