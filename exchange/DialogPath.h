// The bytes to hand to the file system for a path chosen in a file dialog.
#pragma once

#include <wx/string.h>

#include <string>

inline std::string DialogPathBytes(const wxString& path) {
  const wxCharBuffer bytes = path.fn_str();
  // A name the file-name encoding cannot express still gets its UTF-8 form, never nothing.
  if (bytes.data() && (bytes.length() > 0 || path.empty())) return std::string(bytes.data(), bytes.length());
  return std::string(path.utf8_str());
}

// And back: a path as the file system spells it, for the toolkit.
inline wxString DialogPathFromBytes(const std::string& bytes) {
  const wxString path(bytes.c_str(), *wxConvFileName);
  return path.empty() ? wxString::FromUTF8(bytes) : path;
}
