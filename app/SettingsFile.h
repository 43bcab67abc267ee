#pragma once

#include <string>

// Whether the startup tips open when the program starts (kept in the settings file).
extern bool g_showTips;

// Name of the settings file kept beside the executable.
constexpr const char* SETTINGS_FILE_NAME = "vrxv43.ini";

// Reads the four persisted values from the settings file in `directory`. A missing or
// unreadable file, a missing line or a line that is not a number gives that value its
// default (litres, bar, firmware 0, tips shown). Never reports anything.
void LoadSettings(const std::string& directory);

// Writes the four values, one "%d\n" line each. An unwritable file is skipped silently.
// Returns whether the file was written.
bool SaveSettings(const std::string& directory);
