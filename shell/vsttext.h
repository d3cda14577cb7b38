// Bounded text copies into buffers the host owns.
#pragma once

#include <cstdint>

// Copies at most maxLen characters of src and always terminates, so dst must
// hold maxLen + 1 bytes. A null src yields the empty text; a null dst or a
// negative maxLen writes nothing. Answers the number of characters copied.
int32_t vstCopyText(char* dst, const char* src, int32_t maxLen);
