// Test doubles for the shell: a host callback that records and answers
// like a scripted host, and a client whose callback record logs every call.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "shell/cvest.h"
#include "shell/vestcallbacks.h"
#include "shell/vestclient.h"

namespace testing_shell {

struct HostCall {
    bool hadEffect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

// One scripted host at a time; tests run sequentially.
struct FakeHost {
    intptr_t versionAnswer = 2400;
    intptr_t defaultAnswer = 0;
    bool giveTime = true;
    VstTimeInfo time{};
    std::vector<HostCall> calls;
    // Copies of the events passed with audioMasterProcessEvents.
    std::vector<std::vector<unsigned char>> sentEvents;

    static FakeHost*& current() {
        static FakeHost* host = nullptr;
        return host;
    }
    FakeHost() { current() = this; }
    ~FakeHost() { current() = nullptr; }

    static intptr_t VST_CALL callback(AEffect* e, int32_t opcode, int32_t index, intptr_t value,
                                      void* ptr, float opt) {
        FakeHost* h = current();
        if (!h) return 0;
        h->calls.push_back({e != nullptr, opcode, index, value, ptr, opt});
        switch (opcode) {
            case audioMasterVersion:
                return h->versionAnswer;
            case audioMasterGetTime:
                return h->giveTime ? reinterpret_cast<intptr_t>(&h->time) : 0;
            case audioMasterProcessEvents: {
                auto* events = static_cast<VstEvents*>(ptr);
                const auto* ev = reinterpret_cast<const unsigned char*>(events->events[0]);
                size_t size = static_cast<size_t>(events->events[0]->byteSize);
                h->sentEvents.emplace_back(ev, ev + size);
                if (events->numEvents != 1 || events->events[1] != nullptr) return 0;
                return h->defaultAnswer;
            }
            default:
                return h->defaultAnswer;
        }
    }

    size_t count(int32_t opcode) const {
        size_t n = 0;
        for (const auto& c : calls)
            if (c.opcode == opcode) ++n;
        return n;
    }
    const HostCall* last(int32_t opcode) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->opcode == opcode) return &*it;
        return nullptr;
    }
};

// A client that logs every callback as "name(args)".
struct LoggingClient {
    std::vector<std::string> log;
    double parameterAnswer = 0.0;
    int32_t chunkAnswer = 0;
    int created = 0;
    bool* destroyed = nullptr;
    // Results the text entries answer.
    int32_t textAnswer = 1;
    static char chunkBytes[4];

    static LoggingClient* of(CVeST* s) { return static_cast<LoggingClient*>(VeSTGetClient(s)); }
    void add(const std::string& s) { log.push_back(s); }

    static VeSTCallbacks table();
};

std::string num(double v);

}  // namespace testing_shell
