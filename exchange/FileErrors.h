// What the user reads when a file cannot be written or read: one plain German sentence
// naming the file and the reason, never the system's English error text and never raw
// bytes from the file.
#pragma once

#include <string>
#include <string_view>

// The error number for a path that names something other than a regular file (a device,
// a pipe); the system has no number of its own for it.
constexpr int NOT_A_REGULAR_FILE = -1;
// The folder exists but takes no new files (a system folder such as /proc).
constexpr int CANNOT_CREATE_HERE = -2;

// A path as the file system spells it, or a text of the program, made fit for a message:
// bytes that are not UTF-8 and control characters become '?'; cut with an ellipsis after
// `maxChars` characters.
std::string DisplayText(std::string_view utf8, size_t maxChars = std::string_view::npos);

// A short excerpt of file content for a message: printable characters only (Windows-1252
// read as such), at most `maxChars`, with an ellipsis when cut.
std::string Excerpt(std::string_view fileBytes, size_t maxChars = 40);

// What a file that should be text holds instead, judged from its first bytes: "ein
// PNG-Bild", "ein BMP-Bild", "eine Datei mit Binärdaten"; empty when it looks like text.
std::string BinaryContentKind(std::string_view head);

// "„/pfad/messung.kdl“ kann nicht gespeichert werden: der Ordner existiert nicht."
std::string CannotSaveText(std::string_view pathBytes, int errorNumber);
std::string CannotSaveText(std::string_view pathBytes, const std::string& reason);
// "„/pfad/messung.kdl“ kann nicht geöffnet werden: die Datei existiert nicht."
std::string CannotOpenText(std::string_view pathBytes, int errorNumber);
// "„/pfad/messung.kdl“ kann nicht gelesen werden: ..." (opened, then reading failed).
std::string CannotReadText(std::string_view pathBytes, int errorNumber);
