# One place for the warning set, so every target of the tree is held to the same standard.
add_library(kvtx_warnings INTERFACE)
target_compile_options(kvtx_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
