#include "CsvExport.h"

#include "Cp1252.h"
#include "FileErrors.h"

std::string CsvDefaultFileName(const std::string& dateTime) {
  std::string name = dateTime;
  for (char& c : name)
    if (c == ':' || c == '/' || c == '.' || c == ',' || c == '\'') c = '_';
  return name;
}

std::string CsvPathWithExtension(const std::string& path) {
  return path.find(".csv") == std::string::npos ? path + ".csv" : path;
}

const char* CsvFlowUnit(int32_t flowUnitLitres) { return flowUnitLitres == 1 ? "L/min" : "G/min"; }
const char* CsvVolumeUnit(int32_t flowUnitLitres) { return flowUnitLitres == 1 ? "L" : "G"; }
const char* CsvPressureUnit(char pressureUnit) { return pressureUnit == 'b' ? "Bar" : "psi"; }

std::string CsvHeading(int32_t flowUnitLitres, char pressureUnit) {
  return std::string("Zeit (s), Durchfluss (") + CsvFlowUnit(flowUnitLitres) + "), Volumen (" +
         CsvVolumeUnit(flowUnitLitres) + "), Druck (" + CsvPressureUnit(pressureUnit) + ")";
}

namespace {

// Volume before pressure, as in the heading line; time and pressure with two decimals.
constexpr int SAMPLE_DECIMALS[4] = {2, 0, 0, 2};

std::string HeaderText(const std::string& utf8) {
  std::string s = Utf8ToCp1252(utf8);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

}  // namespace

std::string CsvSampleText(const Storage::Sample& s) {
  char line[4 * FIXED_MAX_CHARS + 4];
  char* p = line;
  const float values[4] = {s.time, s.flow, s.volume, s.pressure};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) *p++ = ',';
    p = FormatFixed(p, values[i], SAMPLE_DECIMALS[i]);
  }
  return std::string(line, p);
}

FileWriteResult WriteCsvFile(const std::string& path, const Storage& rec) {
  FileWriteResult result;
  SafeFileWriter out(path);
  if (!out.Ok()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  const std::string flowUnit = CsvFlowUnit(rec.GetFlowUnitLitres());
  const std::string pressureUnit = CsvPressureUnit(rec.GetPressureUnit());
  out.Write("File Name," + HeaderText(path) + "\r\n");
  out.Write("Title," + HeaderText(rec.GetTitle()) + " " + HeaderText(rec.GetDateTime()) + "\r\n");
  out.Write("Information," + HeaderText(rec.GetInfo()) + "\r\n");
  out.Write("Flow Measurement," + HeaderText(rec.GetFlowMeasurement()) + "," + flowUnit + "\r\n");
  out.Write("Pressure Measurement," + HeaderText(rec.GetPressureMeasurement()) + "," +
            pressureUnit + "\r\n");
  out.Write(CsvHeading(rec.GetFlowUnitLitres(), rec.GetPressureUnit()) + "\r\n");

  const int n = rec.GetSampleCount();
  const float* time = rec.GetTime().data();
  const float* flow = rec.GetFlow().data();
  const float* pressure = rec.GetPressure().data();
  const float* volume = rec.GetVolume().data();
  for (int i = 0; i < n; ++i)
    out.WriteNumberLine({time[i], flow[i], volume[i], pressure[i]}, SAMPLE_DECIMALS, ',');
  if (!out.Finish()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  result.ok = true;
  return result;
}
