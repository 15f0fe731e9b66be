// Text drawing into pictures. The glyphs come from a back-end's fonts; the
// program only says what to write, where, in which font and colour.
#pragma once

#include <string_view>

#include "platform/raster/picture.h"
#include "platform/types.h"

namespace chu::platform {

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // Height of one text line in the font, in pixels.
  virtual int lineHeight(const Font& font) const = 0;
  // Width of the text in the font, in pixels.
  virtual int textWidth(std::string_view utf8, const Font& font) const = 0;
  // Draws one line of UTF-8 text with its top-left corner at `at`, in colour
  // `fore`, with no background. Returns the rectangle of dst it touched.
  virtual Rect drawText(Picture& dst, Point at, std::string_view utf8, const Font& font, Rgb fore) const = 0;
};

}  // namespace chu::platform
