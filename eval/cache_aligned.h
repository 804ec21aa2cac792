#pragma once
// An allocator that starts every array on a cache line. The kernels read and write blocks of
// samples a full vector register (64 bytes with AVX-512) at a time; from the 16-byte
// alignment the heap gives, every such access would straddle two lines.

#include <cstddef>
#include <new>

namespace tracewell::eval {

inline constexpr std::size_t kCacheLine = 64;

template <class T>
struct CacheAligned {
    using value_type = T;

    CacheAligned() = default;
    template <class U>
    CacheAligned(const CacheAligned<U>&) {}

    T* allocate(std::size_t n) {
        return static_cast<T*>(::operator new (n * sizeof(T), std::align_val_t{kCacheLine}));
    }
    void deallocate(T* p, std::size_t) { ::operator delete (p, std::align_val_t{kCacheLine}); }

    template <class U>
    bool operator==(const CacheAligned<U>&) const {
        return true;
    }
};

}  // namespace tracewell::eval
