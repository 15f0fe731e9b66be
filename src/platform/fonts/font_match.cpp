#include "platform/fonts/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace chu::fonts {

namespace {
struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool SameName(std::string a, std::string b) {
  auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  return lower(std::move(a)) == lower(std::move(b));
}

// A font may carry several family names (IPAPGothic, IPA Pゴシック): any will do.
bool HasFamily(FcPattern* font, const std::string& family, std::string& first) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    const std::string n = reinterpret_cast<const char*>(name);
    if (i == 0) first = n;
    if (SameName(n, family)) return true;
  }
  return false;
}

std::string Missing(const std::string& family, const std::string& offered) {
  std::string line = "the Japanese font " + family + " was not found";
  if (!offered.empty()) line += " (fontconfig offers " + offered + " instead)";
  return line + "; install the Debian package " + kFontPackage;
}
}  // namespace

std::optional<FontFile> FindFont(const std::string& family, std::string& error) {
  if (FcInit() == FcFalse) {
    error = "fontconfig cannot start; install the Debian package " + std::string(kFontPackage);
    return std::nullopt;
  }
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  std::string offered;
  if (!match || result != FcResultMatch || !HasFamily(match.get(), family, offered)) {
    error = Missing(family, offered);
    return std::nullopt;
  }
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    error = Missing(family, offered);
    return std::nullopt;
  }
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
  return FontFile{reinterpret_cast<const char*>(file), index, family};
}

}  // namespace chu::fonts
