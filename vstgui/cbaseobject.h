// The toolkit's reference-counted base. Portable: the shell keeps font
// descriptions through it without knowing the drawing platform.
#pragma once

#include <cstdint>

namespace VSTGUI {

typedef const char* CMessage;

// The toolkit's messages. Each is one object in the program, so a receiver
// compares the pointer it is given with these, never the characters.
inline constexpr char kMsgNewFocusView[] = "kMsgNewFocusView";
inline constexpr char kMsgOldFocusView[] = "kMsgOldFocusView";
inline constexpr char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";

class CBaseObject {
public:
    CBaseObject() = default;
    virtual ~CBaseObject() = default;

    virtual void retain() { ++referenceCount; }
    // Destroys the object when the last reference goes.
    virtual void release() {
        if (--referenceCount <= 0) delete this;
    }
    int32_t getNbReference() const { return referenceCount; }

    // Messages are shared constant texts compared by identity, not content.
    virtual int32_t handleMessage(CBaseObject* sender, CMessage message) {
        (void)sender, (void)message;
        return 0;
    }

    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;

private:
    int32_t referenceCount = 1;
};

}  // namespace VSTGUI
