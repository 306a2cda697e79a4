# One place for the warning set, so every target of the tree is held to the same standard.
# Warnings stop the project's own builds (scripts/build turns KVTX_WERROR on, and CI builds
# through it); a plain build of the tree shows them and goes on, so that a compiler's false
# positive cannot break a user's build.
option(KVTX_WERROR "Treat warnings as errors" OFF)
add_library(kvtx_warnings INTERFACE)
target_compile_options(kvtx_warnings INTERFACE
    -Wall -Wextra -Wpedantic $<$<BOOL:${KVTX_WERROR}>:-Werror>
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
