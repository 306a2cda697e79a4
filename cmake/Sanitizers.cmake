# The test build of the native tree runs under AddressSanitizer and UBSan: the store reads
# untrusted files and the regex border handles caller-sized buffers, exactly the code where a
# silent overrun would otherwise go unnoticed.
option(KVTX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KVTX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
