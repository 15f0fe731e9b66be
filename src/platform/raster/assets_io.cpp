#include "platform/raster/assets_io.h"

#include <filesystem>

#include "platform/platform.h"
#include "platform/raster/png.h"

namespace chu {

using platform::Picture;

const std::vector<AssetFile>& AssetFiles() {
  static const std::vector<AssetFile> files{
      {"Course.png", [](Assets& a) -> Picture& { return a.course; }},
      {"Sprites.png", [](Assets& a) -> Picture& { return a.sprites; }},
      {"Gate.png", [](Assets& a) -> Picture& { return a.gate; }},
      {"Bar.png", [](Assets& a) -> Picture& { return a.bar; }},
      {"Board.png", [](Assets& a) -> Picture& { return a.board; }},
      {"Icon1.png", [](Assets& a) -> Picture& { return a.icons[0]; }},
      {"Icon2.png", [](Assets& a) -> Picture& { return a.icons[1]; }},
      {"Icon3.png", [](Assets& a) -> Picture& { return a.icons[2]; }},
      {"Icon4.png", [](Assets& a) -> Picture& { return a.icons[3]; }},
      {"Icon5.png", [](Assets& a) -> Picture& { return a.icons[4]; }},
      {"Icon6.png", [](Assets& a) -> Picture& { return a.icons[5]; }},
      {"ProgramIcon.png", [](Assets& a) -> Picture& { return a.programIcon; }},
  };
  return files;
}

namespace {
std::string SizeText(platform::Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

// The file's picture when it can stand in for `builtIn`; otherwise one line to `warn`.
std::optional<Picture> Replacement(const std::string& path, const std::string& shown, const Picture& builtIn,
                                   const std::function<void(const std::string&)>& warn) {
  std::string error;
  std::optional<Picture> loaded = platform::ReadPng(path, error);
  if (!loaded) {
    if (warn) warn(error + "; the built-in picture is used");
    return std::nullopt;
  }
  if (loaded->size() != builtIn.size()) {
    if (warn)
      warn(shown + " is " + SizeText(loaded->size()) + ", not " + SizeText(builtIn.size()) +
           "; the built-in picture is used");
    return std::nullopt;
  }
  return loaded;
}
}  // namespace

Assets LoadAssets(std::string_view folder, const std::function<void(const std::string&)>& warn) {
  Assets assets = BuiltInAssets();
  for (const AssetFile& f : AssetFiles()) {
    const std::string shown = std::string("Images/") + f.fileName;
    const std::string path = platform::ProgramPath(folder, shown);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) continue;  // no file: the built-in picture, silently
    Picture& slot = f.picture(assets);
    if (std::optional<Picture> p = Replacement(path, shown, slot, warn)) slot = std::move(*p);
  }
  // A drawn sheet may have soft edges: its masks become pure black and white
  // and its images black wherever the mask lets the course through.
  MakeMasksExact(assets);
  return assets;
}

std::vector<std::string> ExportAssets(const Assets& assets, const std::string& dir) {
  std::vector<std::string> errors;
  Assets copy = assets;
  for (const AssetFile& f : AssetFiles()) {
    const std::string error = platform::WritePng((std::filesystem::path(dir) / f.fileName).string(), f.picture(copy));
    if (!error.empty()) errors.push_back(error);
  }
  return errors;
}

}  // namespace chu
