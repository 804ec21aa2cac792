#pragma once
// A growing array of plain numbers whose new elements are left unwritten: a piece writes
// every element itself, and zeroing a piece's buffers first would cost about as much as
// computing them. It starts on a cache line.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>

#include "eval/cache_aligned.h"

namespace tracewell::plot {

template <class T>
class RawBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    std::size_t size() const { return size_; }
    std::span<T> span() { return {data_.get(), size_}; }
    std::span<const T> span() const { return {data_.get(), size_}; }

    // Empties the buffer and keeps its memory.
    void clear() { size_ = 0; }
    // Room for n elements in all, the present ones kept.
    void reserve(std::size_t n) {
        if (n <= capacity_) return;
        const std::size_t capacity = std::max(n, capacity_ + capacity_ / 2);
        Storage next(alloc_.allocate(capacity), Free{capacity});
        std::copy_n(data_.get(), size_, next.get());
        data_ = std::move(next);
        capacity_ = capacity;
    }
    // Adds n unwritten elements and returns the first of them.
    T* extend(std::size_t n) {
        reserve(size_ + n);
        T* added = data_.get() + size_;
        size_ += n;
        return added;
    }
    void push_back(T v) { *extend(1) = v; }
    // Keeps the first n elements, n at most size().
    void truncate(std::size_t n) { size_ = std::min(n, size_); }

private:
    // On cache lines, as the engine reads its blocks of x values in whole lines.
    using Alloc = eval::CacheAligned<T>;
    struct Free {
        std::size_t n;
        void operator()(T* p) const { Alloc().deallocate(p, n); }
    };
    using Storage = std::unique_ptr<T[], Free>;

    Alloc alloc_;
    Storage data_{nullptr, Free{0}};
    std::size_t size_ = 0, capacity_ = 0;
};

}  // namespace tracewell::plot
