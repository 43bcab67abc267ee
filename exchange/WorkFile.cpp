#include "WorkFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Cp1252.h"
#include "FileErrors.h"
#include "LineReader.h"
#include "NumberFormat.h"

namespace {

bool IsCSpace(char32_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void AppendEscape(std::string& out, char32_t cp) {
  char buf[16];
  const int n = std::snprintf(buf, sizeof buf, "\\u{%X}", static_cast<unsigned>(cp));
  out.append(buf, static_cast<size_t>(n));
}

// Parses \u{HEX} at s[i] (s[i] is the backslash); returns its length, 0 if it is none.
size_t ParseEscape(std::string_view s, size_t i, char32_t& cp, bool& empty) {
  if (s.size() - i < 4 || s[i + 1] != 'u' || s[i + 2] != '{') return 0;
  size_t j = i + 3;
  cp = 0;
  int digits = 0;
  while (j < s.size() && digits <= 6) {
    const char c = s[j];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else
      break;
    cp = cp << 4 | static_cast<char32_t>(d);
    ++digits;
    ++j;
  }
  if (j >= s.size() || s[j] != '}' || digits > 6) return 0;
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  empty = digits == 0;
  return j + 1 - i;
}

std::string Quote(std::string_view fileText) { return "„" + Excerpt(fileText) + "“"; }

class WorkFileParser {
 public:
  WorkFileParser(int fd, size_t fileSize, WorkFileReadResult& result)
      : m_in(fd), m_fileSize(fileSize), m_result(result) {}

  bool Parse();

 private:
  // `why` says what is wrong in the line, without the file: ReadWorkFile puts the file first.
  bool Fail(int64_t line, const std::string& why) {
    m_result.line = line;
    m_result.message = why;
    return false;
  }
  std::string Where() const {
    if (m_count < 0) return "";
    return " der Aufzeichnung " + std::to_string(m_index + 1) + " von " + std::to_string(m_count);
  }
  static std::string InLine(int64_t line) { return "in Zeile " + std::to_string(line); }
  bool NextLine(std::string_view& line, const std::string& what);
  bool Report(LineReader::Status st, const std::string& what);
  bool ReadInt(int32_t& v, const std::string& what);
  bool ReadText(std::string& text, const std::string& what, bool title);
  bool ReadSamples(Storage& rec, int32_t n);

  LineReader m_in;
  size_t m_fileSize;
  WorkFileReadResult& m_result;
  int32_t m_count = -1;
  int32_t m_index = 0;
};

bool WorkFileParser::NextLine(std::string_view& line, const std::string& what) {
  const LineReader::Status st = m_in.Next(line);
  return st == LineReader::LINE || Report(st, what);
}

bool WorkFileParser::Report(LineReader::Status st, const std::string& what) {
  const int64_t line = m_in.LineNumber() + 1;
  if (st == LineReader::END && line == 1) return Fail(line, "die Datei ist leer");
  if (st == LineReader::END)
    return Fail(line, "die Datei endet vor Zeile " + std::to_string(line) + ", erwartet war " + what + Where());
  if (st == LineReader::TOO_LONG)
    return Fail(line, "Zeile " + std::to_string(line) + " ist zu lang, erwartet war " + what + Where());
  m_result.readErrno = m_in.Errno();
  return Fail(line, "");
}

bool WorkFileParser::ReadInt(int32_t& v, const std::string& what) {
  std::string_view line;
  if (!NextLine(line, what)) return false;
  std::string_view field = line;
  while (!field.empty() && IsCSpace(static_cast<unsigned char>(field.front())))
    field.remove_prefix(1);
  while (!field.empty() && IsCSpace(static_cast<unsigned char>(field.back())))
    field.remove_suffix(1);
  if (!ParseInt(field, v))
    return Fail(m_in.LineNumber(), InLine(m_in.LineNumber()) + " steht " + Quote(line) + ", erwartet war " + what +
                                       Where() + " (eine ganze Zahl)");
  return true;
}

bool WorkFileParser::ReadText(std::string& text, const std::string& what, bool title) {
  std::string_view line;
  if (!NextLine(line, what)) return false;
  if (title) {
    // The format lets white space, blank lines included, come before a title.
    for (;;) {
      while (!line.empty() && IsCSpace(static_cast<unsigned char>(line.front())))
        line.remove_prefix(1);
      if (!line.empty()) break;
      if (!NextLine(line, what)) return false;
    }
  }
  if (line.size() > WORK_FILE_MAX_TEXT)
    return Fail(m_in.LineNumber(), InLine(m_in.LineNumber()) + " ist " + what + Where() + " länger als " +
                                       std::to_string(WORK_FILE_MAX_TEXT) + " Zeichen");
  text = DecodeWorkFileText(line);
  return true;
}

bool WorkFileParser::ReadSamples(Storage& rec, int32_t n) {
  // Room for what the count claims, but no more than the file can hold: a sample line has
  // at least eight bytes, so a damaged count cannot make a small file claim much memory.
  const size_t room = std::min(static_cast<size_t>(n), m_fileSize / 8);
  std::vector<float> series[4];
  for (std::vector<float>& s : series) s.reserve(room);
  std::string_view line;
  for (int32_t i = 0; i < n; ++i) {
    // The common path builds no text: the description is made only for a fault.
    if (const LineReader::Status st = m_in.Next(line); st != LineReader::LINE)
      return Report(st, "Messwert " + std::to_string(i + 1) + " von " + std::to_string(n));
    float v[4];
    size_t pos = 0;
    bool good = true;
    for (int k = 0; k < 4 && good; ++k) {
      const size_t start = pos;
      while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
      if (k > 0 && pos == start) good = false;  // numbers need a separator
      const size_t used = good ? ParseFloat(line.substr(pos), v[k]) : 0;
      good = used > 0;
      pos += used;
    }
    while (good && pos < line.size() && IsCSpace(static_cast<unsigned char>(line[pos]))) ++pos;
    if (!good || pos != line.size())
      return Fail(m_in.LineNumber(), InLine(m_in.LineNumber()) + " steht " + Quote(line) + ", erwartet war Messwert " +
                                         std::to_string(i + 1) + " von " + std::to_string(n) + Where() +
                                         " (vier Zahlen)");
    for (int k = 0; k < 4; ++k) series[k].push_back(v[k]);
  }
  rec.SetSamples(std::move(series[0]), std::move(series[1]), std::move(series[2]), std::move(series[3]));
  return true;
}

bool WorkFileParser::Parse() {
  int32_t first;
  if (!ReadInt(first, "die Versionsnummer oder die Anzahl der Aufzeichnungen")) return false;
  int version = 0;
  int32_t count = first;
  if (first == WORK_FILE_VERSION_1 || first == WORK_FILE_VERSION_2) {
    version = first == WORK_FILE_VERSION_1 ? 1 : 2;
    if (!ReadInt(count, "die Anzahl der Aufzeichnungen")) return false;
  }
  if (count < 0)
    return Fail(m_in.LineNumber(),
                InLine(m_in.LineNumber()) + " steht die negative Anzahl der Aufzeichnungen " + std::to_string(count));
  m_count = count;

  // Records are added only as their lines arrive: a count alone allocates nothing.
  std::vector<Storage> recordings;
  for (m_index = 0; m_index < count; ++m_index) {
    std::string title, dateTime, info;
    int32_t serial = 0;
    if (!ReadText(title, "der Titel", true)) return false;
    if (!ReadText(dateTime, "das Datum mit Uhrzeit", false)) return false;
    if (version >= 1 && !ReadText(info, "der Informationstext", false)) return false;
    if (version >= 2 && !ReadInt(serial, "die Seriennummer")) return false;
    int32_t interval, unitCode, flowUnit, spare, n;
    if (!ReadInt(interval, "das Abtastintervall") || !ReadInt(unitCode, "der Code der Druckeinheit") ||
        !ReadInt(flowUnit, "die Durchflusseinheit") || !ReadInt(spare, "das Reservekennzeichen") ||
        !ReadInt(n, "die Anzahl der Messwerte"))
      return false;
    if (n < 0)
      return Fail(m_in.LineNumber(), InLine(m_in.LineNumber()) + " steht die negative Anzahl der Messwerte " +
                                         std::to_string(n) + Where());

    Storage& rec = recordings.emplace_back(dateTime, interval, flowUnit, spare != 0);
    rec.SetPressureUnit(static_cast<char>(unitCode & 0xFF));
    rec.SetTitle(title);
    rec.SetInfo(info);
    rec.SetSerialNumber(serial);
    if (!ReadSamples(rec, n)) return false;
  }
  m_result.recordings = std::move(recordings);
  m_result.version = version;
  return true;
}

}  // namespace

std::string EncodeWorkFileText(std::string_view s, bool title) {
  std::string out;
  if (title && s.empty()) return "\\u{}";
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const size_t start = i;
    const char32_t cp = NextUtf8(s, i);
    char c = 0;
    const bool escape = (cp < 0x20 && cp != '\t') || (title && start == 0 && IsCSpace(cp)) ||
                        (cp == '\\' && i < s.size() && s[i] == 'u') || !CodePointToCp1252(cp, c);
    if (escape)
      AppendEscape(out, cp);
    else
      out += c;
  }
  return out;
}

std::string DecodeWorkFileText(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (s[i] == '\\') {
      char32_t cp;
      bool empty;
      if (const size_t len = ParseEscape(s, i, cp, empty)) {
        if (!empty) AppendUtf8(out, cp);
        i += len;
        continue;
      }
    }
    AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(s[i])));
    ++i;
  }
  return out;
}

bool WorkFileTextFits(std::string_view utf8, bool title) {
  return EncodeWorkFileText(utf8, title).size() <= WORK_FILE_MAX_TEXT;
}

std::string WorkFilePathWithExtension(const std::string& path) {
  return path.find(".kdl") == std::string::npos ? path + ".kdl" : path;
}

WorkFileReadResult ReadWorkFile(const std::string& path) {
  WorkFileReadResult result;
  // Non-blocking, so a named pipe cannot hang the open; only regular files are read.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  const int openErrno = errno;
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int why = fd < 0 ? openErrno : S_ISDIR(st.st_mode) ? EISDIR : NOT_A_REGULAR_FILE;
    if (fd >= 0) close(fd);
    result.message = CannotOpenText(path, why);
    return result;
  }
  WorkFileParser parser(fd, static_cast<size_t>(st.st_size), result);
  result.ok = parser.Parse();
  if (!result.ok) {
    // Another kind of file picked by mistake is named as such, not by its bytes.
    char head[512];
    const ssize_t n = pread(fd, head, sizeof head, 0);
    const std::string kind = BinaryContentKind(std::string_view(head, n > 0 ? static_cast<size_t>(n) : 0));
    if (result.readErrno != 0)
      result.message = CannotReadText(path, result.readErrno);
    else if (!kind.empty())
      result.message = "„" + DisplayText(path) + "“ ist keine Arbeitsdatei, sondern " + kind + ".";
    else
      result.message = "„" + DisplayText(path) + "“ ist keine gültige Arbeitsdatei: " + result.message + ".";
  }
  close(fd);
  return result;
}

namespace {

void WriteLine(SafeFileWriter& out, std::string_view text) {
  out.Write(text);
  out.Write("\r\n");
}

void WriteIntLine(SafeFileWriter& out, int32_t v) {
  char* p = out.Reserve(INT_MAX_CHARS + 2);
  p = FormatInt(p, v);
  *p++ = '\r';
  *p++ = '\n';
  out.Commit(p);
}

}  // namespace

FileWriteResult WriteWorkFile(const std::string& path, std::span<const Storage> recordings) {
  FileWriteResult result;
  // Every text is checked before the file is touched.
  struct Texts {
    std::string title, dateTime, info;
  };
  std::vector<Texts> texts;
  texts.reserve(recordings.size());
  for (size_t i = 0; i < recordings.size(); ++i) {
    const Storage& rec = recordings[i];
    Texts& t = texts.emplace_back(Texts{EncodeWorkFileText(rec.GetTitle(), true),
                                        EncodeWorkFileText(rec.GetDateTime(), false),
                                        EncodeWorkFileText(rec.GetInfo(), false)});
    const char* field = t.title.size() > WORK_FILE_MAX_TEXT      ? "der Titel"
                        : t.dateTime.size() > WORK_FILE_MAX_TEXT ? "das Datum mit Uhrzeit"
                        : t.info.size() > WORK_FILE_MAX_TEXT     ? "der Informationstext"
                                                                 : nullptr;
    if (field) {
      result.message = CannotSaveText(path, std::string(field) + " der Aufzeichnung " + std::to_string(i + 1) + " („" +
                                                DisplayText(rec.GetTitle(), 30) +
                                                "“) ist für eine Arbeitsdatei zu lang (höchstens " +
                                                std::to_string(WORK_FILE_MAX_TEXT) + " Zeichen)");
      return result;
    }
  }

  SafeFileWriter out(path);
  if (!out.Ok()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  WriteIntLine(out, WORK_FILE_VERSION_2);
  WriteIntLine(out, static_cast<int32_t>(recordings.size()));
  for (size_t r = 0; r < recordings.size(); ++r) {
    const Storage& rec = recordings[r];
    WriteLine(out, texts[r].title);
    WriteLine(out, texts[r].dateTime);
    WriteLine(out, texts[r].info);
    WriteIntLine(out, rec.GetSerialNumber());
    WriteIntLine(out, rec.GetIntervalMs());
    WriteIntLine(out, static_cast<unsigned char>(rec.GetPressureUnit()));
    WriteIntLine(out, rec.GetFlowUnitLitres());
    WriteIntLine(out, rec.GetSpareFlag() ? 1 : 0);
    const int n = rec.GetSampleCount();
    WriteIntLine(out, n);
    const float* time = rec.GetTime().data();
    const float* flow = rec.GetFlow().data();
    const float* pressure = rec.GetPressure().data();
    const float* volume = rec.GetVolume().data();
    for (int i = 0; i < n; ++i)
      out.WriteNumberLine({time[i], flow[i], pressure[i], volume[i]}, {6, 6, 6, 6}, ' ');
  }
  if (!out.Finish()) {
    result.message = CannotSaveText(path, out.ErrorNumber());
    return result;
  }
  result.ok = true;
  return result;
}
