#include "FileErrors.h"

#include <cerrno>

#include "Cp1252.h"
#include "i18n/TrNoop.h"

namespace {

enum class Action { Save, Open, Read };

std::string Reason(Action action, int err) {
  switch (err) {
    case NOT_A_REGULAR_FILE:
      return CoreTr("das ist keine gewöhnliche Datei");
    case CANNOT_CREATE_HERE:
      return CoreTr("in diesem Ordner können keine Dateien angelegt werden");
    case ENOENT:
      return action == Action::Save ? CoreTr("der Ordner existiert nicht") : CoreTr("die Datei existiert nicht");
    case ENOTDIR:
      return CoreTr("ein Teil des Pfades ist kein Ordner");
    case EACCES:
    case EPERM:
      return action == Action::Save ? CoreTr("keine Schreibberechtigung für diesen Ort")
                                    : CoreTr("keine Leseberechtigung");
    case EROFS:
      return CoreTr("der Datenträger ist schreibgeschützt");
    case ENOSPC:
    case EDQUOT:
      return CoreTr("der Datenträger ist voll");
    case EFBIG:
      return CoreTr("die Datei wird zu groß");
    case EISDIR:
      return CoreTr("das ist ein Ordner");
    case ENAMETOOLONG:
      return CoreTr("der Name ist zu lang");
    case ELOOP:
      return CoreTr("zu viele symbolische Verknüpfungen im Pfad");
    case EIO:
      return CoreTr("Ein-/Ausgabefehler des Datenträgers");
    case EMFILE:
    case ENFILE:
      return CoreTr("zu viele offene Dateien");
    case EBUSY:
    case ETXTBSY:
      return CoreTr("die Datei wird gerade benutzt");
    default:
      return CoreTrF("Fehler des Betriebssystems Nr. %d", err);
  }
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
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return CoreTr("ein PNG-Bild");
  size_t controls = 0;
  bool nul = false;
  for (unsigned char b : head) {
    nul = nul || b == 0;
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') ++controls;
  }
  // Text files of this program hold no control characters but line ends; a few stray ones
  // are damage, many are another kind of file.
  if (!nul && controls * 16 <= head.size()) return "";
  return head.starts_with("BM") ? CoreTr("ein BMP-Bild") : CoreTr("eine Datei mit Binärdaten");
}

std::string CannotSaveText(std::string_view path, int err) { return CannotSaveText(path, Reason(Action::Save, err)); }

std::string CannotSaveText(std::string_view path, const std::string& reason) {
  return CoreTrF("„%s“ kann nicht gespeichert werden: %s.", DisplayText(path).c_str(), reason.c_str());
}

std::string CannotOpenText(std::string_view path, int err) {
  return CoreTrF("„%s“ kann nicht geöffnet werden: %s.", DisplayText(path).c_str(), Reason(Action::Open, err).c_str());
}

std::string CannotReadText(std::string_view path, int err) {
  return CoreTrF("„%s“ kann nicht gelesen werden: %s.", DisplayText(path).c_str(), Reason(Action::Read, err).c_str());
}
