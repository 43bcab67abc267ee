#include "NumberFormat.h"

#include <bit>
#include <charconv>
#include <cstring>

namespace {

constexpr uint64_t POW10[10] = {1,      10,      100,      1000,      10000,
                                100000, 1000000, 10000000, 100000000, 1000000000};

constexpr char PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline void WritePair(char* p, uint64_t v) { std::memcpy(p, PAIRS + v * 2, 2); }

// Exactly n digits of v (v < 10^n). Four-digit groups are split off first so their
// divisions do not wait on each other.
inline void WriteDigits(char* out, uint64_t v, int n) {
  while (n > 4) {
    const uint64_t low = v % 10000;
    v /= 10000;
    n -= 4;
    WritePair(out + n, low / 100);
    WritePair(out + n + 2, low % 100);
  }
  switch (n) {
    case 4:
      WritePair(out, v / 100);
      WritePair(out + 2, v % 100);
      break;
    case 3:
      out[0] = static_cast<char>('0' + v / 100);
      WritePair(out + 1, v % 100);
      break;
    case 2:
      WritePair(out, v);
      break;
    case 1:
      out[0] = static_cast<char>('0' + v);
      break;
  }
}

inline int CountDigits(uint64_t v) {
  static constexpr uint64_t P[20] = {1ULL,
                                     10ULL,
                                     100ULL,
                                     1000ULL,
                                     10000ULL,
                                     100000ULL,
                                     1000000ULL,
                                     10000000ULL,
                                     100000000ULL,
                                     1000000000ULL,
                                     10000000000ULL,
                                     100000000000ULL,
                                     1000000000000ULL,
                                     10000000000000ULL,
                                     100000000000000ULL,
                                     1000000000000000ULL,
                                     10000000000000000ULL,
                                     100000000000000000ULL,
                                     1000000000000000000ULL,
                                     10000000000000000000ULL};
  v |= 1;  // 0 has one digit; setting bit 0 changes no other count
  const int bits = 64 - std::countl_zero(v);
  const int t = bits * 1233 >> 12;  // about log10(2^bits)
  return t + (v >= P[t]);
}

inline char* WriteU64(char* out, uint64_t v) {
  const int n = CountDigits(v);
  WriteDigits(out, v, n);
  return out + n;
}

char* FormatU128(char* out, unsigned __int128 v) {
  if (v <= UINT64_MAX) return WriteU64(out, static_cast<uint64_t>(v));
  // Above 2^64 only huge floats: print the high part, then a 19-digit block.
  constexpr uint64_t E19 = 10000000000000000000ULL;
  out = FormatU128(out, v / E19);
  const auto low = static_cast<uint64_t>(v % E19);
  WriteDigits(out, low, 19);
  return out + 19;
}

}  // namespace

char* FormatFixed(char* out, float v, int decimals) {
  const uint32_t bits = std::bit_cast<uint32_t>(v);
  const bool negative = bits >> 31;
  const uint32_t exponent = bits >> 23 & 0xFF;
  const uint32_t fraction = bits & 0x7FFFFF;
  if (negative) *out++ = '-';
  if (exponent == 0xFF) {
    std::memcpy(out, fraction ? "nan" : "inf", 3);
    return out + 3;
  }
  // v = m * 2^e exactly.
  const uint64_t m = exponent ? (fraction | 0x800000) : fraction;
  const int e = exponent ? static_cast<int>(exponent) - 150 : -149;

  uint64_t digits = 0;  // the decimals as one integer
  if (e >= 0) {
    // Whole numbers: no decimals to round.
    out = e <= 40 ? WriteU64(out, m << e) : FormatU128(out, static_cast<unsigned __int128>(m) << e);
  } else {
    uint64_t whole = 0;
    if (-e < 64) {
      const int s = -e;
      whole = m >> s;
      const uint64_t mask = (uint64_t{1} << s) - 1;
      const uint64_t scaled = (m & mask) * POW10[decimals];  // < 2^54
      digits = scaled >> s;
      const uint64_t rest = scaled & mask;
      const uint64_t half = uint64_t{1} << (s - 1);
      // Exact ties go to the even neighbour, as printf rounds.
      const bool odd = decimals ? (digits & 1) : (whole & 1);
      if (rest > half || (rest == half && odd)) ++digits;
      if (digits == POW10[decimals]) {
        digits = 0;
        ++whole;
      }
    }
    // Below 2^-64 the value is far less than half of the smallest decimal step.
    out = WriteU64(out, whole);
  }
  if (decimals > 0) {
    *out++ = '.';
    WriteDigits(out, digits, decimals);
    out += decimals;
  }
  return out;
}

char* FormatInt(char* out, int32_t v) { return std::to_chars(out, out + INT_MAX_CHARS, v).ptr; }

bool ParseInt(std::string_view s, int32_t& v) {
  const char* first = s.data();
  const char* last = first + s.size();
  // from_chars takes '-' but not '+'; "+-1" must stay invalid.
  if (first != last && *first == '+' && ++first != last && *first == '-') return false;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  return ec == std::errc() && ptr == last;
}

namespace {

constexpr double EXACT_POW10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Plain decimals like "-123.456789", the form every file line has. Returns 0 to hand the
// text to the general parser.
size_t ParsePlainDecimal(const char* first, const char* last, float& v) {
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;
  uint64_t w = 0;
  int digits = 0;
  int decimals = 0;
  while (p != last && static_cast<unsigned>(*p - '0') < 10) {
    w = w * 10 + static_cast<unsigned>(*p++ - '0');
    ++digits;
  }
  if (p != last && *p == '.') {
    ++p;
    while (p != last && static_cast<unsigned>(*p - '0') < 10) {
      w = w * 10 + static_cast<unsigned>(*p++ - '0');
      ++digits;
      ++decimals;
    }
  }
  if (digits == 0 || digits > 19 || decimals > 22 || w > uint64_t{1} << 53) return 0;
  if (p != last && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) return 0;
  // w and 10^decimals are exact doubles, so one division rounds correctly.
  const double d = static_cast<double>(w) / EXACT_POW10[decimals];
  // Rounding that double again to float is only wrong when it sits exactly on a midpoint
  // between two floats; d lies in 1e-22..2^53, the normal float range.
  const uint64_t bits = std::bit_cast<uint64_t>(d);
  constexpr uint64_t LOW = (uint64_t{1} << 29) - 1;
  if ((bits & LOW) == uint64_t{1} << 28) return 0;
  const float f = static_cast<float>(d);
  v = negative ? -f : f;
  return static_cast<size_t>(p - first);
}

}  // namespace

size_t ParseFloat(std::string_view s, float& v) {
  const char* first = s.data();
  const char* last = first + s.size();
  if (first != last && *first == '+') {
    ++first;
    if (first != last && *first == '-') return 0;
  }
  if (const size_t n = ParsePlainDecimal(first, last, v))
    return n + static_cast<size_t>(first - s.data());
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc()) return 0;
  return static_cast<size_t>(ptr - s.data());
}
