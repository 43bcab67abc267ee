// The file type and name of a saved plot image: a name ending in .bmp or .png keeps its
// type, any other name gets the extension of the type chosen in the dialog.
#pragma once

#include <cctype>
#include <string>

enum class ImageType { Bmp, Png };

struct ImageFile {
  std::string path;
  ImageType type;
};

// The types in the order the dialog offers them.
inline constexpr const char* IMAGE_WILDCARD = "Bilddateien (*.bmp)|*.bmp|PNG-Bilddateien (*.png)|*.png";

inline ImageFile ImageFileFor(const std::string& chosen, int filterIndex) {
  const auto endsWith = [&](const char* ext) {
    const std::string e(ext);
    if (chosen.size() < e.size()) return false;
    for (size_t i = 0; i < e.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(chosen[chosen.size() - e.size() + i])) != e[i]) return false;
    return true;
  };
  if (endsWith(".bmp")) return {chosen, ImageType::Bmp};
  if (endsWith(".png")) return {chosen, ImageType::Png};
  return filterIndex == 1 ? ImageFile{chosen + ".png", ImageType::Png} : ImageFile{chosen + ".bmp", ImageType::Bmp};
}
