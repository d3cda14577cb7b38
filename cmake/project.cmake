# Compiler options shared by every target of the project's own.

if(VELMARCH_SANITIZE)
    # Applied globally so GoogleTest and the core agree on the runtime.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(CMAKE_SYSTEM_NAME STREQUAL "Windows" AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
    # Every machine that runs a host today has SSE2; x87 extended precision
    # would make the two builds round differently (and runs slowly under
    # emulation).
    add_compile_options(-msse2 -mfpmath=sse)
endif()

function(velmarch_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VELMARCH_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Windows programs and the DLL carry their C++ runtime inside, so a user's
# machine needs no mingw DLLs.
function(velmarch_static_runtime target)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# One test program per area. Windows programs run through the emulator
# wrapper (Wine) that the toolchain file names.
function(velmarch_add_test name)
    add_test(NAME ${name} COMMAND ${name} ${ARGN})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
