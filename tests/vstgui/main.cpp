// The toolkit tests take the path of the module with the test images as
// their first argument.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "fixtures.h"

namespace toolkit_test {
void* resourceModule = nullptr;
}

namespace {
// A crash ends the program at once instead of waiting for a debugger.
LONG WINAPI endOnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crash: exception 0x%08lx\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(endOnCrash);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vstgui_tests RESOURCE-DLL [gtest options]\n");
        return 2;
    }
    toolkit_test::resourceModule = LoadLibraryA(argv[1]);
    if (!toolkit_test::resourceModule) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 2;
    }
    return RUN_ALL_TESTS();
}
