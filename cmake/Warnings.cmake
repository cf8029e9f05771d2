# Every target of the project builds with the same warnings, and none may remain.
function(qolmex_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(QOLMEX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
option(QOLMEX_WERROR "Treat warnings as errors" ON)
