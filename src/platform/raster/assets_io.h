// The pictures as files: replacing built-in pictures with PNG files from the
// program folder's Images folder, and writing the built-in ones out.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/assets.h"

namespace chu {

// One picture of the set and the file name it has in the Images folder.
struct AssetFile {
  const char* fileName;  // e.g. "Course.png"
  platform::Picture& (*picture)(Assets&);
};
const std::vector<AssetFile>& AssetFiles();

// The built-in pictures, each replaced by Images/<name>.png in the program
// folder where such a file exists and has the right size. `warn` receives one
// line for each file that is there but cannot be used (wrong size, unreadable);
// the built-in picture stays in its place.
Assets LoadAssets(std::string_view folder, const std::function<void(const std::string&)>& warn);

// Writes every picture of the set into `dir` under its file name. Returns one
// line per file that could not be written (none when all were).
std::vector<std::string> ExportAssets(const Assets& assets, const std::string& dir);

}  // namespace chu
