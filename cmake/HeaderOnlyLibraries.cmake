# CLI11 and nlohmann-json are header-only; Debian installs them under /usr/include. The cross
# compiler must not search /usr/include as a whole (the host's C library lives there too), so both
# builds take them from a folder that holds links to just their two include trees.
set(KVTX_HEADER_ONLY_ROOT ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${KVTX_HEADER_ONLY_ROOT})
foreach(tree CLI nlohmann)
    if(NOT EXISTS /usr/include/${tree})
        message(FATAL_ERROR "/usr/include/${tree} is missing: run scripts/setup")
    endif()
    file(CREATE_LINK /usr/include/${tree} ${KVTX_HEADER_ONLY_ROOT}/${tree} SYMBOLIC)
endforeach()

add_library(kvtx_cli11 INTERFACE)
target_include_directories(kvtx_cli11 SYSTEM INTERFACE ${KVTX_HEADER_ONLY_ROOT})
add_library(kvtx_json INTERFACE)
target_include_directories(kvtx_json SYSTEM INTERFACE ${KVTX_HEADER_ONLY_ROOT})
