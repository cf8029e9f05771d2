# Every target of the project builds with the same warnings, and none may remain.
function(qolmex_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    # GCC 12 at -O2 reports std::string concatenations ("x" + s) as overlapping copies
    # that cannot happen (GCC bug 105651); the warning is off for that compiler only.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(QOLMEX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
option(QOLMEX_WERROR "Treat warnings as errors" ON)
