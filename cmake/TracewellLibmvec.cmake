# The C library's vector math: glibc's libmvec, whose functions follow the x86-64 vector ABI
# (two doubles per call in SSE registers, four in AVX2 ones, eight in AVX-512 ones). Where the
# library is found and every function the engine calls links (tan, atan and exp2 came later
# than the others; pow's name says by "vv" that it takes two vectors),
# TRACEWELL_HAVE_LIBMVEC is true and TRACEWELL_LIBMVEC names the library; elsewhere (another C
# library, another processor, an older glibc) the engine uses the scalar functions.
include(CheckCXXSourceCompiles)

find_library(TRACEWELL_LIBMVEC mvec)
if(TRACEWELL_LIBMVEC)
    # The names alone say the signature, so declaring them takes no vector types.
    set(declared)
    set(used)
    foreach(width _ZGVbN2 _ZGVdN4 _ZGVeN8)
        foreach(function v_sin v_cos v_tan v_atan v_exp v_log v_exp2 vv_pow)
            string(APPEND declared "extern \"C\" void ${width}${function}();\n")
            string(APPEND used "${width}${function}, ")
        endforeach()
    endforeach()
    set(CMAKE_REQUIRED_LIBRARIES ${TRACEWELL_LIBMVEC})
    check_cxx_source_compiles("${declared}
int main(int argc, char**) {
    void (*const used[])() = {${used}};
    return used[argc % 24] == nullptr;
}" TRACEWELL_HAVE_LIBMVEC)
    unset(CMAKE_REQUIRED_LIBRARIES)
    unset(declared)
    unset(used)
else()
    set(TRACEWELL_HAVE_LIBMVEC OFF)
endif()
