// Text-art pictures: each picture is a few rows of characters and a palette
// that gives each character its colour. '.' is the clear background: black in
// a sprite's image and white in its mask, so a mask made from the same rows
// can never disagree with its image.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/raster/picture.h"

namespace chu::art {

inline constexpr char kClear = '.';
inline constexpr std::uint32_t kMaskShow = 0xFFFFFF;  // the course shows through
inline constexpr std::uint32_t kMaskHide = 0x000000;  // the sprite covers it

using Art = std::vector<std::string>;

class Palette {
 public:
  Palette() = default;
  Palette(std::initializer_list<std::pair<char, std::uint32_t>> inks);
  // The same palette with some inks added or changed.
  Palette with(std::initializer_list<std::pair<char, std::uint32_t>> inks) const;
  // The colour of a character; an unknown character is a fault in the art.
  std::uint32_t colour(char key) const;
  bool has(char key) const;

 private:
  std::array<std::uint32_t, 128> colours_{};
  std::array<bool, 128> known_{};
};

// Checks that every row has the same width and every character is in the
// palette; returns a description of the first fault, empty when the art is good.
std::string CheckArt(const Art& art, const Palette& palette);

// Paints the art's colours at (x, y): clear cells black, all others in their ink.
void PaintImage(platform::Picture& dst, int x, int y, const Art& art, const Palette& palette);
// Paints the art's mask at (x, y): clear cells white, all others black.
void PaintMask(platform::Picture& dst, int x, int y, const Art& art);
// Paints only the inked cells, leaving the clear ones as they are (for
// pictures without a mask, such as the board and the icons).
void PaintOver(platform::Picture& dst, int x, int y, const Art& art, const Palette& palette);

// The art turned left to right.
Art Mirror(Art art);
// The art with `patch` laid over it at (x, y): the patch's clear cells leave
// the art as it is.
Art Overlay(Art art, const Art& patch, int x, int y);
// Rows of art written in the source, one string literal a row.
Art Rows(std::initializer_list<std::string_view> rows);

}  // namespace chu::art
