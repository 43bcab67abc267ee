#pragma once

#include <string>

// Whether the startup tips open when the program starts (kept in the settings file).
extern bool g_showTips;

// Name of the settings file kept beside the executable.
constexpr const char* SETTINGS_FILE_NAME = "vrxv43.ini";

// The directory that holds the settings file: beside the executable when the program may
// write there and it is not a system directory; otherwise (an installed program in
// /usr/bin) the user's configuration
// directory, `xdgConfigHome`/vrx or `home`/.config/vrx, so settings still survive a run.
std::string SettingsDirectoryFor(const std::string& executableDirectory, const char* xdgConfigHome,
                                 const char* home);

// Reads the four persisted values from the settings file in `directory`. A missing or
// unreadable file, a missing line or a line that is not a number gives that value its
// default (litres, bar, firmware 0, tips shown). Never reports anything.
void LoadSettings(const std::string& directory);

// Writes the four values, one "%d\n" line each, creating the directory if it is missing.
// An unwritable file is skipped silently.
// Returns whether the file was written.
bool SaveSettings(const std::string& directory);
