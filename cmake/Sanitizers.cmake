if(QOLMEX_SANITIZE)
    # Any undefined behaviour fails the test that met it instead of printing and going on.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer, for the tests where several transfers run at once (production mode); it
# cannot be combined with AddressSanitizer, so it has a build of its own.
option(QOLMEX_SANITIZE_THREAD "Build with ThreadSanitizer" OFF)
if(QOLMEX_SANITIZE_THREAD)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
