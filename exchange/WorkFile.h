// The work file (.kdl): the whole recording set as CR LF text lines, one field a line,
// numbers as printf's "%d" and "%f" write them, texts in Windows-1252.
//
// Texts the plain format cannot carry (line breaks, other control characters, characters
// outside Windows-1252, a title that is empty or begins with white space) are written as
// \u{HEX} escapes of their code points, and an empty title as \u{}; a backslash followed
// by 'u' is itself escaped. Everything else is written as it stands, so ordinary files stay
// exactly the plain format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "SafeFile.h"
#include "Storage.h"

constexpr int32_t WORK_FILE_VERSION_1 = 410000;
constexpr int32_t WORK_FILE_VERSION_2 = 430000;  // the one written
// Longest text line, in file bytes (escapes included), that the format allows.
constexpr size_t WORK_FILE_MAX_TEXT = 198;

struct WorkFileReadResult {
  bool ok = false;
  std::vector<Storage> recordings;  // only when ok
  int version = -1;                 // 0, 1 or 2 when ok
  int64_t line = 0;                 // line of the fault; 0 when the file did not open
  int readErrno = 0;                // set when reading failed after the file opened
  std::string message;              // for the user: the file, the line and what is wrong there
};

// Reads a whole work file into a new set; on any fault nothing is returned but the message.
WorkFileReadResult ReadWorkFile(const std::string& path);

// Writes the set as the current version. Replaces the file only when everything was
// written; a text too long for the format refuses the save before anything is written.
FileWriteResult WriteWorkFile(const std::string& path, std::span<const Storage> recordings);

// Appends ".kdl" unless the path contains it anywhere.
std::string WorkFilePathWithExtension(const std::string& path);

// The file form of a UTF-8 text, and back.
std::string EncodeWorkFileText(std::string_view utf8, bool title);
std::string DecodeWorkFileText(std::string_view fileText);
// Whether a text can be saved: its file form is at most WORK_FILE_MAX_TEXT bytes.
bool WorkFileTextFits(std::string_view utf8, bool title);
