# libFuzzer targets need clang. With the option on, the whole tree is instrumented for coverage
# and checked by ASan and UBSan, and only the fuzz targets are added.
option(KVTX_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(KVTX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KVTX_FUZZ needs clang")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

function(kvtx_add_fuzzer name)
    add_executable(${name} ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE kvtx_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
