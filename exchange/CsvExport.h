// Export of one recording as comma-separated text for a spreadsheet.
#pragma once

#include <cstdint>
#include <string>

#include "SafeFile.h"
#include "Storage.h"

// The dialog's proposal: m_dateTime with ':', '/', '.', ',' and '\'' replaced by '_'.
std::string CsvDefaultFileName(const std::string& dateTime);
// Appends ".csv" unless the path contains it anywhere.
std::string CsvPathWithExtension(const std::string& path);

const char* CsvFlowUnit(int32_t flowUnitLitres);    // "L/min" or "G/min"
const char* CsvVolumeUnit(int32_t flowUnitLitres);  // "L" or "G"
const char* CsvPressureUnit(char pressureUnit);     // "Bar" or "psi"

// The heading of the sample columns, without a line end:
// "Zeit (s), Durchfluss (L/min), Volumen (L), Druck (Bar)".
std::string CsvHeading(int32_t flowUnitLitres, char pressureUnit);
// One sample as its line reads, without a line end: time, flow, volume, pressure
// ("1.00,25,0,6.89").
std::string CsvSampleText(const Storage::Sample& sample);

// Writes the six header lines and one line per sample (the series as they stand, so
// filtered while the filter is on). Texts go out in Windows-1252; characters it lacks
// become '?', and line breaks inside a text become blanks so the header keeps its six
// lines. The file is replaced only when all of it was written.
FileWriteResult WriteCsvFile(const std::string& path, const Storage& rec);
