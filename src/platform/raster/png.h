// Pictures to and from PNG files (8-bit RGB). Kept out of chu_platform so the
// program's logic never needs libpng: only the tools and back-ends link it.
#pragma once

#include <optional>
#include <string>

#include "platform/raster/picture.h"

namespace chu::platform {

// Writes the picture as an opaque 8-bit RGB PNG. Returns one line describing
// the failure, or an empty string when the file was written.
std::string WritePng(const std::string& path, const Picture& picture);

// Reads a PNG of any colour type. Transparency is flattened onto black (the
// colour a sprite sheet uses around its figures). Nothing, with one line in
// `error`, when the file is missing or unreadable.
std::optional<Picture> ReadPng(const std::string& path, std::string& error);

}  // namespace chu::platform
