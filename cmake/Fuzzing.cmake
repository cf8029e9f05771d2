# Coverage-guided fuzzing with libFuzzer: every library is instrumented for coverage and
# checked by ASan and UBSan; the targets under fuzz/ add libFuzzer's main.
option(QOLMEX_FUZZ "Build the libFuzzer targets under fuzz/ (clang, QOLMEX_GUI=OFF)" OFF)
if(QOLMEX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QOLMEX_FUZZ needs clang, e.g. -DCMAKE_CXX_COMPILER=clang++-14")
    endif()
    if(QOLMEX_GUI)
        message(FATAL_ERROR "QOLMEX_FUZZ builds the toolkit-free core only: add -DQOLMEX_GUI=OFF")
    endif()
    if(QOLMEX_SANITIZE)
        message(FATAL_ERROR "QOLMEX_FUZZ brings its own sanitizers: leave QOLMEX_SANITIZE off")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
