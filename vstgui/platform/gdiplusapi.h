// The platform side of the toolkit: Win32 and the flat GDI+ interface.
// Included only by the toolkit's own sources (and its tests), never by its
// public headers.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <string>

namespace VSTGUI {
namespace platform {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// UTF-8 to wide text; empty when the text is not valid UTF-8.
std::wstring widen(const char* text);

inline INT toInt(double v) { return static_cast<INT>(v); }

}  // namespace platform
}  // namespace VSTGUI
