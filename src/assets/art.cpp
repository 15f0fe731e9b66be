#include "assets/art.h"

#include <algorithm>

namespace chu::art {

namespace {
std::size_t Slot(char key) { return static_cast<unsigned char>(key) & 0x7F; }
}  // namespace

Palette::Palette(std::initializer_list<std::pair<char, std::uint32_t>> inks) {
  colours_[Slot(kClear)] = 0;
  known_[Slot(kClear)] = true;
  for (const auto& [key, c] : inks) {
    colours_[Slot(key)] = c;
    known_[Slot(key)] = true;
  }
}

Palette Palette::with(std::initializer_list<std::pair<char, std::uint32_t>> inks) const {
  Palette p = *this;
  for (const auto& [key, c] : inks) {
    p.colours_[Slot(key)] = c;
    p.known_[Slot(key)] = true;
  }
  return p;
}

std::uint32_t Palette::colour(char key) const { return colours_[Slot(key)]; }
bool Palette::has(char key) const { return known_[Slot(key)] && static_cast<unsigned char>(key) < 128; }

std::string CheckArt(const Art& art, const Palette& palette) {
  for (std::size_t y = 0; y < art.size(); ++y) {
    if (art[y].size() != art.front().size())
      return "row " + std::to_string(y) + " is " + std::to_string(art[y].size()) + " wide, not " +
             std::to_string(art.front().size());
    for (std::size_t x = 0; x < art[y].size(); ++x)
      if (!palette.has(art[y][x]))
        return "unknown ink '" + std::string(1, art[y][x]) + "' at " + std::to_string(x) + "," + std::to_string(y);
  }
  return {};
}

void PaintImage(platform::Picture& dst, int x, int y, const Art& art, const Palette& palette) {
  for (int r = 0; r < static_cast<int>(art.size()); ++r)
    for (int c = 0; c < static_cast<int>(art[r].size()); ++c)
      if (dst.bounds().contains({x + c, y + r})) dst.set(x + c, y + r, palette.colour(art[r][c]));
}

void PaintMask(platform::Picture& dst, int x, int y, const Art& art) {
  for (int r = 0; r < static_cast<int>(art.size()); ++r)
    for (int c = 0; c < static_cast<int>(art[r].size()); ++c)
      if (dst.bounds().contains({x + c, y + r})) dst.set(x + c, y + r, art[r][c] == kClear ? kMaskShow : kMaskHide);
}

void PaintOver(platform::Picture& dst, int x, int y, const Art& art, const Palette& palette) {
  for (int r = 0; r < static_cast<int>(art.size()); ++r)
    for (int c = 0; c < static_cast<int>(art[r].size()); ++c)
      if (art[r][c] != kClear && dst.bounds().contains({x + c, y + r}))
        dst.set(x + c, y + r, palette.colour(art[r][c]));
}

Art Mirror(Art art) {
  for (std::string& row : art) std::reverse(row.begin(), row.end());
  return art;
}

Art Overlay(Art art, const Art& patch, int x, int y) {
  for (int r = 0; r < static_cast<int>(patch.size()); ++r) {
    if (y + r < 0 || y + r >= static_cast<int>(art.size())) continue;
    std::string& row = art[y + r];
    for (int c = 0; c < static_cast<int>(patch[r].size()); ++c)
      if (patch[r][c] != kClear && x + c >= 0 && x + c < static_cast<int>(row.size())) row[x + c] = patch[r][c];
  }
  return art;
}

Art Rows(std::initializer_list<std::string_view> rows) { return Art(rows.begin(), rows.end()); }

}  // namespace chu::art
