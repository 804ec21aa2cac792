#pragma once
// Whether AddressSanitizer is built in: its runs are slower and its heap keeps freed blocks
// in quarantine, so the stress runs fewer actions and measures the heap its own way.

namespace tracewell::stress {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

// Whether ThreadSanitizer is: it too needs far more address space than any program's own.
#if defined(__SANITIZE_THREAD__)
inline constexpr bool kThreadSanitized = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool kThreadSanitized = true;
#else
inline constexpr bool kThreadSanitized = false;
#endif
#else
inline constexpr bool kThreadSanitized = false;
#endif

}  // namespace tracewell::stress
