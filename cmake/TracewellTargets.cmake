# What every target of ours shares: its warnings, and how a library shows its headers.

# Our own code links this for its warnings, so that the flags stay off code we do not own and
# TRACEWELL_WERROR can hold the tree to them.
add_library(tracewell_warnings INTERFACE)
target_compile_options(tracewell_warnings INTERFACE
    $<IF:$<CXX_COMPILER_ID:MSVC>,/W4,-Wall;-Wextra>
    $<$<BOOL:${TRACEWELL_WERROR}>:$<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>>)

# Sources include a library's headers as "<folder>/name.h". A library exposes a directory
# that holds only a link named after its own folder, so a target can include the headers of
# exactly the libraries it links, and no folder reaches past them.
function(tracewell_expose_headers target)
    cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
    set(dir ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${dir})
    if(NOT IS_SYMLINK ${dir}/${folder})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${dir})
endfunction()
