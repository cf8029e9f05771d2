if(QOLMEX_SANITIZE)
    # Any undefined behaviour fails the test that met it instead of printing and going on.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
