#include "x_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "eval/cpu.h"
#include "eval/powers_of_ten.h"

#if defined(TRACEWELL_AVX2_PATHS)
#include <immintrin.h>
#endif

namespace tracewell::eval {
namespace {

constexpr int kDigits = 7;

// The decimal digits of |x| rounded to 7 significant digits, halves away from zero:
// |x| ~ digits * 10^(exponent - 6), digits in [10^6, 10^7).
struct Rounded {
    std::int32_t digits;
    int exponent;
};

Rounded roundToSevenDigits(float x) {
    // A float has at most 105 significant decimal digits, so this expansion is exact.
    char buf[160];
    std::snprintf(buf, sizeof buf, "%.120e", std::fabs(static_cast<double>(x)));
    std::int32_t digits = buf[0] - '0';
    for (int i = 2; i < 2 + kDigits - 1; ++i) digits = digits * 10 + (buf[i] - '0');
    int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    if (buf[2 + kDigits - 1] >= '5') ++digits;  // at least half of the last digit: away from 0
    if (digits == 10'000'000) {
        digits = 1'000'000;
        ++exponent;
    }
    return {digits, exponent};
}

}  // namespace

std::string xText(float x) {
    if (std::isnan(x)) return " NaN";
    if (std::isinf(x)) return x > 0 ? " Infinity" : "-Infinity";
    std::string text(1, std::signbit(x) && x != 0 ? '-' : ' ');
    if (x == 0) return text + "0";
    const Rounded r = roundToSevenDigits(x);
    std::string digits = std::to_string(r.digits);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (r.exponent < -4 || r.exponent >= kDigits) {
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", r.exponent < 0 ? '-' : '+',
                      std::abs(r.exponent));
        text.append(digits, 0, 1);
        if (digits.size() > 1) text.append(1, '.').append(digits, 1);
        return text.append(exponent);
    }
    if (r.exponent < 0) return text.append("0.").append(-r.exponent - 1, '0').append(digits);
    const auto whole = static_cast<std::size_t>(r.exponent) + 1;
    if (digits.size() <= whole) return text.append(digits).append(whole - digits.size(), '0');
    return text.append(digits, 0, whole).append(1, '.').append(digits, whole);
}

double xValueFromText(float x) {
    const std::string text = xText(x);
    const char* begin = text.data() + (text[0] == ' ' ? 1 : 0);
    double value = 0;
    std::from_chars(begin, text.data() + text.size(), value);
    return value;
}

namespace {

constexpr std::uint64_t kPow10Int[] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull,
                                       10000000000000000ull,
                                       100000000000000000ull,
                                       1000000000000000000ull,
                                       10000000000000000000ull};

// One correctly rounded operation on exact operands: the double nearest digits * 10^scale,
// as reading the decimal text gives it.
inline double decimalValue(std::uint64_t digits, int scale) {
    return scale < 0 ? static_cast<double>(digits) / kPowersOfTen[-scale]
                     : static_cast<double>(digits) * kPowersOfTen[scale];
}

// a * b / 2^shift rounded half up, for 0 < shift < 64 and a quotient below 2^64. The product
// needs up to 128 bits, kept as two halves: standard C++ has no wider integer.
constexpr std::uint64_t multiplyShiftRounded(std::uint64_t a, std::uint64_t b, int shift) {
    constexpr std::uint64_t kLow32 = 0xFFFFFFFF;
    const std::uint64_t ll = (a & kLow32) * (b & kLow32), lh = (a & kLow32) * (b >> 32);
    const std::uint64_t hl = (a >> 32) * (b & kLow32), hh = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (ll >> 32) + (lh & kLow32) + (hl & kLow32);
    std::uint64_t high = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
    std::uint64_t low = (middle << 32) | (ll & kLow32);
    const std::uint64_t half = 1ull << (shift - 1);
    high += low + half < low;  // the carry of adding half
    low += half;
    return (high << (64 - shift)) | (low >> shift);
}

// Singles from 1E-05 up to 1E+07, where a plot's x values lie, are handled in 64-bit integers:
// |x| = mantissa * 2^-shift, and round(|x| * 10^(6 - exponent)) needs at most 61 bits.
// For each binary exponent of that band: the decimal exponent of its smallest single, and the
// smallest mantissa from which the next power of ten is reached.
constexpr int kFirstBiased = 110;  // 2^-17, just below 1E-05
constexpr int kLastBiased = 150;   // 2^23 .. 2^24
struct Binade {
    int exponent;
    std::uint32_t nextDecadeMantissa;
};

constexpr Binade binade(int biased) {
    const int b = biased - 127;  // the binade is [2^b, 2^(b+1)), b from -17 to 23
    // 10^k <= 2^b, exactly: across the band both sides fit 64 bits.
    auto tenToAtMostTwoTo = [b](int k) {
        if (k >= 0) return b >= 0 && kPow10Int[k] <= (1ull << b);
        return b >= 0 || (1ull << -b) <= kPow10Int[-k];
    };
    int e = -18;  // the largest e with 10^e <= 2^b
    while (tenToAtMostTwoTo(e + 1)) ++e;
    // mantissa * 2^(b-23) >= 10^(e+1): mantissa >= 10^(e+1) * 2^(23-b), rounded up
    const int k = e + 1;
    const std::uint64_t num = (k >= 0 ? kPow10Int[k] : 1ull) << (23 - b);
    const std::uint64_t den = k >= 0 ? 1 : kPow10Int[-k];
    std::uint64_t m = (num + den - 1) / den;
    if (m > 0x1000000) m = 0x1000000;
    return {e, static_cast<std::uint32_t>(m)};
}

struct BinadeTable {
    Binade rows[kLastBiased - kFirstBiased + 1];
};
constexpr BinadeTable makeBinades() {
    BinadeTable t{};
    for (int i = kFirstBiased; i <= kLastBiased; ++i) t.rows[i - kFirstBiased] = binade(i);
    return t;
}
constexpr BinadeTable kBinades = makeBinades();

// Any magnitude from 1E-12 to 1E+15, in integers.
double wideValue(float a) {
    std::uint32_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = static_cast<int>(bits >> 23);
    const std::uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;  // a = mantissa * 2^shift
    const int shift = biased - 150;
    // floor(log10(a)), give or take one; corrected below.
    int exponent = ((biased - 127) * 78913) >> 18;
    std::uint64_t digits = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = exponent - (kDigits - 1);  // digits = round(a / 10^scale)
        // Whatever the attempt, n lies within a factor of 100 of 10^6, and a shift to the
        // left (a at least 2^23) happens only at scale 0: no step overflows 64 bits.
        std::uint64_t n;
        if (scale <= 0) {
            n = shift >= 0 ? (mantissa * kPow10Int[-scale]) << shift
                           : multiplyShiftRounded(mantissa, kPow10Int[-scale], -shift);
        } else {
            const std::uint64_t whole = mantissa << shift;  // shift at most 26 up to 1E+15
            n = whole / kPow10Int[scale];
            if (2 * (whole % kPow10Int[scale]) >= kPow10Int[scale]) ++n;
        }
        if (n >= 10'000'000) {
            ++exponent;
        } else if (n < 1'000'000) {
            --exponent;
        } else {
            digits = n;
            break;
        }
    }
    return decimalValue(digits, exponent - (kDigits - 1));
}

}  // namespace

double xValue(float x) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const bool negative = bits >> 31;
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    double magnitude;
    if (biased >= kFirstBiased && biased <= kLastBiased) {
        const std::uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
        const Binade& row = kBinades.rows[biased - kFirstBiased];
        const int exponent = row.exponent + (mantissa >= row.nextDecadeMantissa);
        int scale = (kDigits - 1) - exponent;  // digits = round(|x| * 10^scale)
        if (scale < 0 || scale > 11) {         // 1E+07 and up, or below 1E-05 in the lowest binade
            magnitude = wideValue(std::fabs(x));
            return negative ? -magnitude : magnitude;
        }
        const int shift = 150 - biased;
        const std::uint64_t scaled = mantissa * kPow10Int[scale];
        // Adding half before the shift rounds halves up: away from zero for the magnitude.
        std::uint64_t digits = shift == 0 ? scaled : (scaled + (1ull << (shift - 1))) >> shift;
        if (digits == 10'000'000) {
            digits = 1'000'000;
            --scale;
        }
        magnitude = decimalValue(digits, -scale);
    } else if (x == 0) {
        return 0;
    } else {
        const float a = std::fabs(x);
        // Outside this band the scaling powers of ten outgrow the tables (exact doubles up to
        // 10^22, 64-bit integers up to 10^19).
        if (!(a >= 1e-12f && a < 1e15f)) return xValueFromText(x);
        magnitude = wideValue(a);
    }
    return negative ? -magnitude : magnitude;
}

namespace {

#if defined(TRACEWELL_AVX2_PATHS)
// The band's table, split into columns of 48 (three registers of sixteen) for the vector
// loop's table lookups.
struct BinadeColumns {
    std::int32_t exponent[48];
    std::int32_t nextDecadeMantissa[48];
};
constexpr BinadeColumns makeColumns() {
    BinadeColumns c{};
    for (int i = 0; i <= kLastBiased - kFirstBiased; ++i) {
        c.exponent[i] = kBinades.rows[i].exponent;
        c.nextDecadeMantissa[i] = static_cast<std::int32_t>(kBinades.rows[i].nextDecadeMantissa);
    }
    return c;
}
constexpr BinadeColumns kColumns = makeColumns();

// GCC 12's AVX-512 intrinsics start from an undefined register, which it then reports as
// maybe uninitialized inside its own headers.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// Entry row (0 to 47) of a 48-entry column, for eight rows at once: permutes, not loads.
TRACEWELL_TARGET_AVX512 inline __m256i lookup48(const std::int32_t* column, __m256i row) {
    const __m512i r = _mm512_castsi256_si512(row);
    const __m512i low =
        _mm512_permutex2var_epi32(_mm512_loadu_si512(column), r, _mm512_loadu_si512(column + 16));
    const __m512i high = _mm512_permutexvar_epi32(r, _mm512_loadu_si512(column + 32));
    const __mmask16 beyond = _mm512_cmpge_epu32_mask(r, _mm512_set1_epi32(32));
    return _mm512_castsi512_si256(_mm512_mask_blend_epi32(beyond, low, high));
}

// xValue's fast path, eight lanes at a time with the same integer steps and the same one
// correctly rounded division; every lane it does not cover goes through xValue itself.
TRACEWELL_TARGET_AVX512 void xValuesAvx512(const float* xs, double* out, std::size_t n) {
    const __m256i one = _mm256_set1_epi32(1),
                  lastRow = _mm256_set1_epi32(kLastBiased - kFirstBiased);
    const __m512i powersLow = _mm512_loadu_si512(kPow10Int),
                  powersHigh = _mm512_loadu_si512(kPow10Int + 8);
    const __m512d tensLow = _mm512_loadu_pd(kPowersOfTen),
                  tensHigh = _mm512_loadu_pd(kPowersOfTen + 8);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i bits = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(xs + i));
        const __m256i biased =
            _mm256_and_si256(_mm256_srli_epi32(bits, 23), _mm256_set1_epi32(0xFF));
        const __m256i row = _mm256_sub_epi32(biased, _mm256_set1_epi32(kFirstBiased));
        const __mmask8 inBand = _mm256_cmple_epu32_mask(row, lastRow);
        const __m256i safeRow = _mm256_min_epu32(row, lastRow);
        const __m256i mantissa = _mm256_or_si256(
            _mm256_and_si256(bits, _mm256_set1_epi32(0x7FFFFF)), _mm256_set1_epi32(0x800000));
        const __m256i rowExponent = lookup48(kColumns.exponent, safeRow);
        const __m256i next = lookup48(kColumns.nextDecadeMantissa, safeRow);
        const __m256i exponent = _mm256_mask_add_epi32(
            rowExponent, _mm256_cmpge_epu32_mask(mantissa, next), rowExponent, one);
        const __m256i scale = _mm256_sub_epi32(_mm256_set1_epi32(kDigits - 1), exponent);
        const __m256i maxScale = _mm256_set1_epi32(11);
        const __mmask8 scaleOk = _mm256_cmple_epu32_mask(scale, maxScale);
        const __m256i safeScale = _mm256_min_epu32(scale, maxScale);
        // Scales 0 to 11 index two registers of eight powers each.
        const __m512i scaleIndex = _mm512_cvtepu32_epi64(safeScale);
        const __m512i power = _mm512_permutex2var_epi64(powersLow, scaleIndex, powersHigh);
        const __m512i scaled = _mm512_mullo_epi64(_mm512_cvtepu32_epi64(mantissa), power);
        const __m512i shift =
            _mm512_cvtepu32_epi64(_mm256_sub_epi32(_mm256_set1_epi32(150), biased));
        // Half of the last place kept, added before the shift: halves round up.
        const __m512i half = _mm512_srli_epi64(_mm512_sllv_epi64(_mm512_set1_epi64(1), shift), 1);
        const __m512i digits = _mm512_srlv_epi64(_mm512_add_epi64(scaled, half), shift);
        const __mmask8 rollsOver = _mm512_cmpeq_epi64_mask(digits, _mm512_set1_epi64(10'000'000));
        const __m512d magnitude = _mm512_div_pd(
            _mm512_cvtepu64_pd(digits), _mm512_permutex2var_pd(tensLow, scaleIndex, tensHigh));
        const __m512i sign =
            _mm512_slli_epi64(_mm512_cvtepu32_epi64(_mm256_srli_epi32(bits, 31)), 63);
        _mm512_storeu_pd(
            out + i, _mm512_castsi512_pd(_mm512_or_si512(_mm512_castpd_si512(magnitude), sign)));
        const unsigned fast = inBand & scaleOk & ~rollsOver;
        for (unsigned rest = ~fast & 0xFF; rest; rest &= rest - 1) {
            const int j = __builtin_ctz(rest);
            out[i + j] = xValue(xs[i + j]);
        }
    }
    for (; i < n; ++i) out[i] = xValue(xs[i]);
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

void xValuesPlain(const float* xs, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = xValue(xs[i]);
}

}  // namespace

void xValues(std::span<const float> xs, std::span<double> values) {
    using Fn = void (*)(const float*, double*, std::size_t);
#if defined(TRACEWELL_AVX2_PATHS)
    static const Fn fn = forIsa<Fn>(&xValuesPlain, &xValuesPlain, &xValuesAvx512);
#else
    static const Fn fn = &xValuesPlain;
#endif
    fn(xs.data(), values.data(), xs.size());
}

}  // namespace tracewell::eval
