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

namespace {

std::string HeaderText(const std::string& utf8) {
  std::string s = Utf8ToCp1252(utf8);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

}  // namespace

FileWriteResult WriteCsvFile(const std::string& path, const Storage& rec) {
  FileWriteResult result;
  SafeFileWriter out(path);
  if (!out.Ok()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  const std::string flowUnit = CsvFlowUnit(rec.GetFlowUnitLitres());
  const std::string volumeUnit = CsvVolumeUnit(rec.GetFlowUnitLitres());
  const std::string pressureUnit = CsvPressureUnit(rec.GetPressureUnit());
  out.Write("File Name," + HeaderText(path) + "\r\n");
  out.Write("Title," + HeaderText(rec.GetTitle()) + " " + HeaderText(rec.GetDateTime()) + "\r\n");
  out.Write("Information," + HeaderText(rec.GetInfo()) + "\r\n");
  out.Write("Flow Measurement," + HeaderText(rec.GetFlowMeasurement()) + "," + flowUnit + "\r\n");
  out.Write("Pressure Measurement," + HeaderText(rec.GetPressureMeasurement()) + "," +
            pressureUnit + "\r\n");
  out.Write("Zeit (s), Durchfluss (" + flowUnit + "), Volumen (" + volumeUnit + "), Druck (" +
            pressureUnit + ")\r\n");

  const int n = rec.GetSampleCount();
  const float* time = rec.GetTime().data();
  const float* flow = rec.GetFlow().data();
  const float* pressure = rec.GetPressure().data();
  const float* volume = rec.GetVolume().data();
  // Volume before pressure, as in the heading line.
  for (int i = 0; i < n; ++i)
    out.WriteNumberLine({time[i], flow[i], volume[i], pressure[i]}, {2, 0, 0, 2}, ',');
  if (!out.Finish()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  result.ok = true;
  return result;
}
