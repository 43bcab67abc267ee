#include "LastFolder.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "SafeFile.h"

namespace {

std::string FilePath(const std::string& directory) {
  return (directory.empty() ? std::string(".") : directory) + "/" + LAST_FOLDER_FILE_NAME;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string LoadLastFolder(const std::string& settingsDirectory) {
  std::ifstream in(FilePath(settingsDirectory), std::ios::binary);
  std::string folder;
  if (!in || !std::getline(in, folder)) return "";
  if (!folder.empty() && folder.back() == '\r') folder.pop_back();
  return folder.find('\0') == std::string::npos ? folder : "";
}

bool SaveLastFolder(const std::string& settingsDirectory, const std::string& folder) {
  if (folder.empty() || folder.find_first_of(std::string("\n\r\0", 3)) != std::string::npos) return false;
  if (!settingsDirectory.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(settingsDirectory, ec);
  }
  SafeFileWriter out(FilePath(settingsDirectory));
  out.Write(folder);
  out.Write("\n");
  return out.Finish();
}

std::string StartFolder(const std::string& remembered, const std::string& documents, const std::string& home) {
  for (const std::string* folder : {&remembered, &documents, &home})
    if (IsFolder(*folder)) return *folder;
  return "";
}
