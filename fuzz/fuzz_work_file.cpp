// Work files: any bytes are read without a crash; a file that reads is saved and read back
// field by field. Samples come back as the "%f" text of the first read, which strtof reads
// (bit for bit, NaN as NaN), so the writer's formatting and the reader's number parsing
// are both checked against the C library. What an opened file feeds further (the
// recording list's texts, the CSV export) runs on it too.
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "CsvExport.h"
#include "FuzzSupport.h"
#include "NumberFormat.h"
#include "RecordingListText.h"
#include "Storage.h"
#include "WorkFile.h"

namespace {

// What "%f" writes and strtof reads back: the value a saved and reopened sample must have.
float ThroughPrintf(float v) {
  char text[80];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(v));
  return std::strtof(text, nullptr);
}

// The work file's six decimals and the CSV export's none and two, as printf writes them.
void CheckFormatFixed(float v) {
  for (const int decimals : {6, 2, 0}) {
    char mine[FIXED_MAX_CHARS + 1];
    const char* end = FormatFixed(mine, v, decimals);
    FUZZ_CHECK(static_cast<size_t>(end - mine) <= FIXED_MAX_CHARS);
    char ref[80];
    const int n = std::snprintf(ref, sizeof ref, "%.*f", decimals, static_cast<double>(v));
    FUZZ_CHECK(std::string_view(mine, static_cast<size_t>(end - mine)) ==
               std::string_view(ref, static_cast<size_t>(n)));
  }
}

void CheckListTexts(const Storage& s) {
  const std::string& dateTime = s.GetDateTime();
  const std::string date = ListDateText(dateTime);
  const std::string time = ListTimeText(dateTime);
  FUZZ_CHECK(date.size() + time.size() <= dateTime.size());
  const std::string duration = DurationText(s);
  FUZZ_CHECK(duration.size() == 5 || duration.size() == 8);
  FUZZ_CHECK(!VolumeText(s).empty());
}

void CheckSeries(const std::vector<float>& first, const std::vector<float>& second) {
  FUZZ_CHECK(first.size() == second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    CheckFormatFixed(first[i]);
    FUZZ_CHECK(fuzz::SameFloat(second[i], ThroughPrintf(first[i])));
  }
}

// A read recording holds only what the file has: no scaling, no time base, no filter.
void CheckFreshlyRead(const Storage& s) {
  const size_t n = s.GetTime().size();
  FUZZ_CHECK(s.GetFlow().size() == n && s.GetPressure().size() == n && s.GetVolume().size() == n);
  FUZZ_CHECK(s.GetSampleCount() == static_cast<int>(n));
  FUZZ_CHECK(s.GetAddedSampleCount() == 0);
  FUZZ_CHECK(s.GetPressureZero() == 0 && s.GetPressureRough() == 0 && s.GetPressureFine() == 0);
  FUZZ_CHECK(!s.IsFiltered() && s.GetFlowUnfiltered().empty());
}

// The first line as a number, against the C library: ParseFloat claims strtof's rounding
// for decimal text, ParseInt scanf's "%d" for a whole field.
void CheckNumberParsers(const uint8_t* data, size_t size) {
  size_t len = 0;
  while (len < size && len < 128 && data[len] != '\n' && data[len] != '\r') ++len;
  if (len == 0 || len == size || len == 128) return;
  const std::string line(reinterpret_cast<const char*>(data), len);
  for (char c : line)
    if (!std::strchr("0123456789.eE+-", c)) return;  // decimal text only; no hex, no inf

  float v = 0;
  const size_t used = ParseFloat(line, v);
  errno = 0;
  char* end = nullptr;
  const float ref = std::strtof(line.c_str(), &end);
  if (errno != ERANGE) {  // out of range: ParseFloat refuses, strtof clamps
    FUZZ_CHECK(used == static_cast<size_t>(end - line.c_str()));
    if (used) FUZZ_CHECK(fuzz::SameFloat(v, ref));
  }

  int32_t i = 0;
  if (ParseInt(line, i)) {
    errno = 0;
    const long l = std::strtol(line.c_str(), &end, 10);
    FUZZ_CHECK(errno == 0 && *end == '\0' && l == i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckNumberParsers(data, size);
  if (size >= 4) {  // any float at all, not only those that parse from text
    float raw;
    std::memcpy(&raw, data, 4);
    CheckFormatFixed(raw);
  }

  const std::string& dir = fuzz::ScratchDir();
  const std::string in = dir + "/in.kdl";
  const std::string out = dir + "/out.kdl";
  fuzz::WriteFileOrDie(in, data, size);

  const WorkFileReadResult first = ReadWorkFile(in);
  if (!first.ok) {
    FUZZ_CHECK(first.recordings.empty());
    FUZZ_CHECK(first.line >= 1);
    FUZZ_CHECK(first.message.rfind("„" + in + "“ ist keine", 0) == 0);
    FUZZ_CHECK(first.message.find('\n') == std::string::npos);
    return 0;
  }
  FUZZ_CHECK(first.version >= 0 && first.version <= 2);
  bool fits = true;
  for (const Storage& s : first.recordings) {
    CheckFreshlyRead(s);
    CheckListTexts(s);
    if (first.version < 1) FUZZ_CHECK(s.GetInfo().empty());
    if (first.version < 2) FUZZ_CHECK(s.GetSerialNumber() == 0);
    fits = fits && WorkFileTextFits(s.GetTitle(), true) &&
           WorkFileTextFits(s.GetDateTime(), false) && WorkFileTextFits(s.GetInfo(), false);
  }

  if (!first.recordings.empty()) {
    const FileWriteResult csv = WriteCsvFile(dir + "/out.csv", first.recordings.back());
    FUZZ_CHECK(csv.ok);
  }

  const FileWriteResult written = WriteWorkFile(out, first.recordings);
  // A text that only fits unescaped (a control character, "\u" as it stands) may grow past
  // the format's limit; the save is then refused, and must not be refused otherwise.
  FUZZ_CHECK(written.ok == fits);
  if (!written.ok) return 0;

  const WorkFileReadResult second = ReadWorkFile(out);
  FUZZ_CHECK(second.ok);
  FUZZ_CHECK(second.version == 2);
  FUZZ_CHECK(second.recordings.size() == first.recordings.size());
  for (size_t r = 0; r < first.recordings.size(); ++r) {
    const Storage& a = first.recordings[r];
    const Storage& b = second.recordings[r];
    CheckFreshlyRead(b);
    FUZZ_CHECK(a.GetTitle() == b.GetTitle());
    FUZZ_CHECK(a.GetDateTime() == b.GetDateTime());
    FUZZ_CHECK(a.GetInfo() == b.GetInfo());
    FUZZ_CHECK(a.GetSerialNumber() == b.GetSerialNumber());
    FUZZ_CHECK(a.GetIntervalMs() == b.GetIntervalMs());
    FUZZ_CHECK(a.GetPressureUnit() == b.GetPressureUnit());
    FUZZ_CHECK(a.GetFlowUnitLitres() == b.GetFlowUnitLitres());
    FUZZ_CHECK(a.GetSpareFlag() == b.GetSpareFlag());
    FUZZ_CHECK(a.GetSampleCount() == b.GetSampleCount());
    CheckSeries(a.GetTime(), b.GetTime());
    CheckSeries(a.GetFlow(), b.GetFlow());
    CheckSeries(a.GetPressure(), b.GetPressure());
    CheckSeries(a.GetVolume(), b.GetVolume());
  }
  return 0;
}
