// Finding an installed font through fontconfig, never by a fixed path.
#pragma once

#include <optional>
#include <string>

namespace chu::fonts {

// The Debian package that carries the Japanese fonts the program uses.
inline constexpr const char* kFontPackage = "fonts-ipafont-gothic";

struct FontFile {
  std::string path;  // FC_FILE
  int index = 0;     // FC_INDEX: the face inside a collection
  std::string family;
};

// The installed font of `family` for Japanese text. Nothing, with one line in
// `error`, when fontconfig can only offer another family.
std::optional<FontFile> FindFont(const std::string& family, std::string& error);

}  // namespace chu::fonts
