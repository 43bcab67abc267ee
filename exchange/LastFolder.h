// The folder the file dialogs open in: the one used last, kept from run to run in a small
// file of its own beside the settings file (whose four lines stay as they are).
#pragma once

#include <string>

constexpr const char* LAST_FOLDER_FILE_NAME = "vrxordner.ini";

// The folder kept in `settingsDirectory`; empty when none was kept or it cannot be read.
std::string LoadLastFolder(const std::string& settingsDirectory);

// Keeps `folder` for the next dialog and the next run. False when it could not be written,
// or when the name cannot be kept in a line.
bool SaveLastFolder(const std::string& settingsDirectory, const std::string& folder);

// Where a dialog opens: the folder used last while it still exists, else the user's
// documents folder, else the home folder; empty when none of them is a folder.
std::string StartFolder(const std::string& remembered, const std::string& documents, const std::string& home);
