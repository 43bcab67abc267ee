// printf-exact number formatting without the locale and without stdio's cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Room FormatFixed needs: sign, 39 integer digits of FLT_MAX, point, nine decimals.
constexpr size_t FIXED_MAX_CHARS = 56;
constexpr size_t INT_MAX_CHARS = 12;

// Writes what printf("%.*f", decimals, (double)v) writes in the "C" locale, byte for
// byte (round half to even on the exact binary value, "-0.00", "nan", "-inf").
// decimals is 0..9. Returns the end of the written text.
char* FormatFixed(char* out, float v, int decimals);
// printf("%d").
char* FormatInt(char* out, int32_t v);

// scanf("%d")-style parse of a whole field (optional sign, nothing else); false when the
// text is not one int or is out of range.
bool ParseInt(std::string_view s, int32_t& v);
// Parses one float at the start of s as strtof would round it (optional sign, decimal,
// exponent, inf, nan); returns the number of characters used, 0 when there is no number
// or it is out of the float range.
size_t ParseFloat(std::string_view s, float& v);
