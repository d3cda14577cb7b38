#include "vsttext.h"

int32_t vstCopyText(char* dst, const char* src, int32_t maxLen) {
    if (!dst || maxLen < 0) return 0;
    int32_t n = 0;
    if (src) {
        while (n < maxLen && src[n] != '\0') {
            dst[n] = src[n];
            ++n;
        }
    }
    dst[n] = '\0';
    return n;
}
