#include "FileErrors.h"

#include <cerrno>

#include "Cp1252.h"

namespace {

enum class Action { Save, Open, Read };

std::string Reason(Action action, int err) {
  switch (err) {
    case NOT_A_REGULAR_FILE:
      return "das ist keine gewöhnliche Datei";
    case CANNOT_CREATE_HERE:
      return "in diesem Ordner können keine Dateien angelegt werden";
    case ENOENT:
      return action == Action::Save ? "der Ordner existiert nicht" : "die Datei existiert nicht";
    case ENOTDIR:
      return "ein Teil des Pfades ist kein Ordner";
    case EACCES:
    case EPERM:
      return action == Action::Save ? "keine Schreibberechtigung für diesen Ort" : "keine Leseberechtigung";
    case EROFS:
      return "der Datenträger ist schreibgeschützt";
    case ENOSPC:
    case EDQUOT:
      return "der Datenträger ist voll";
    case EFBIG:
      return "die Datei wird zu groß";
    case EISDIR:
      return "das ist ein Ordner";
    case ENAMETOOLONG:
      return "der Name ist zu lang";
    case ELOOP:
      return "zu viele symbolische Verknüpfungen im Pfad";
    case EIO:
      return "Ein-/Ausgabefehler des Datenträgers";
    case EMFILE:
    case ENFILE:
      return "zu viele offene Dateien";
    case EBUSY:
    case ETXTBSY:
      return "die Datei wird gerade benutzt";
    default:
      return "Fehler des Betriebssystems Nr. " + std::to_string(err);
  }
}

std::string Sentence(std::string_view path, const char* verb, const std::string& reason) {
  return "„" + DisplayText(path) + "“ kann nicht " + verb + " werden: " + reason + ".";
}

}  // namespace

std::string DisplayText(std::string_view text, size_t maxChars) {
  std::string out;
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    if (chars == maxChars) return out + "…";
    const char32_t cp = NextUtf8(text, i);
    if (cp == 0xFFFD || cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
      out += '?';
    else
      AppendUtf8(out, cp);
  }
  return out;
}

std::string Excerpt(std::string_view bytes, size_t maxChars) {
  std::string out;
  size_t chars = 0;
  for (unsigned char b : bytes) {
    if (chars == maxChars) return out + "…";
    const char32_t cp = Cp1252ToCodePoint(b);
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
      out += '?';
    else
      AppendUtf8(out, cp);
    ++chars;
  }
  return out;
}

std::string BinaryContentKind(std::string_view head) {
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return "ein PNG-Bild";
  size_t controls = 0;
  bool nul = false;
  for (unsigned char b : head) {
    nul = nul || b == 0;
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') ++controls;
  }
  // Text files of this program hold no control characters but line ends; a few stray ones
  // are damage, many are another kind of file.
  if (!nul && controls * 16 <= head.size()) return "";
  return head.starts_with("BM") ? "ein BMP-Bild" : "eine Datei mit Binärdaten";
}

std::string CannotSaveText(std::string_view path, int err) {
  return Sentence(path, "gespeichert", Reason(Action::Save, err));
}

std::string CannotSaveText(std::string_view path, const std::string& reason) {
  return Sentence(path, "gespeichert", reason);
}

std::string CannotOpenText(std::string_view path, int err) {
  return Sentence(path, "geöffnet", Reason(Action::Open, err));
}

std::string CannotReadText(std::string_view path, int err) {
  return Sentence(path, "gelesen", Reason(Action::Read, err));
}
