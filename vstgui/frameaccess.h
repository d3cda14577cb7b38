// The few frame services that drawing contexts use. Kept apart so that the
// drawing layer does not depend on the view tree's headers.
#pragma once

#include <cstdint>

#include "vstgui/vstguitypes.h"

namespace VSTGUI {

class CFrame;

CRectangle frameBounds(CFrame* frame);
uint32_t frameTickCount(CFrame* frame);
void frameForwardIdle(CFrame* frame);

}  // namespace VSTGUI
