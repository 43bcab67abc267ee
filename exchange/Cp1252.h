// The files keep texts in Windows-1252; the program holds them as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined map to the C1 controls of the same value, so every byte survives a round trip.
char32_t Cp1252ToCodePoint(unsigned char b);
// The Windows-1252 byte for cp; false when the code page has none.
bool CodePointToCp1252(char32_t cp, char& out);

// Decodes the code point at s[i] and advances i; a malformed sequence gives U+FFFD and
// advances one byte.
char32_t NextUtf8(std::string_view s, size_t& i);
void AppendUtf8(std::string& out, char32_t cp);

std::string Cp1252ToUtf8(std::string_view cp1252);
// Characters the code page lacks become replacement.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?');
