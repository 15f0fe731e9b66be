// A fresh folder under the system's temporary folder for one test (or one
// benchmark), removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace chu::testsupport {

class TempFolder {
 public:
  // The folder's name starts with `prefix`, so that one left behind by a
  // killed run tells which test made it.
  explicit TempFolder(std::string_view prefix = "chu-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string str() const { return path_.string(); }
  // The path of `name` (which may hold sub-folders) inside the folder.
  std::string file(std::string_view name) const { return (path_ / name).string(); }
  bool exists(std::string_view name) const { return std::filesystem::exists(path_ / name); }
  void mkdir(std::string_view name) const { std::filesystem::create_directories(path_ / name); }
  void write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string read(std::string_view name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace chu::testsupport
