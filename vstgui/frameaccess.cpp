#include "vstgui/frameaccess.h"

#include <windows.h>

namespace VSTGUI {

// The library has no frame class yet, so no context is ever given a frame;
// these answer as a frame of the default size without an editor would.
CRectangle frameBounds(CFrame* frame) {
    (void)frame;
    return CRectangle(0, 0, 1000, 1000);
}

uint32_t frameTickCount(CFrame* frame) {
    (void)frame;
    return GetTickCount();
}

void frameForwardIdle(CFrame* frame) { (void)frame; }

}  // namespace VSTGUI
