// The text renderer of the real fonts: the designer's Japanese faces mapped to
// the IPA fonts, drawn with SDL2_ttf (which needs no display).
//   "ＭＳ Ｐゴシック" and the default interface font  -> IPAPGothic
//   "ＭＳ ゴシック" and "System"                      -> IPAGothic
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/fonts/font_match.h"
#include "platform/raster/text.h"

typedef struct _TTF_Font TTF_Font;

namespace chu::fonts {

struct Families {
  std::string proportional = "IPAPGothic";  // "ＭＳ Ｐゴシック", the interface font
  std::string fixed = "IPAGothic";          // "ＭＳ ゴシック", "System"
};

class TtfTextRenderer final : public platform::TextRenderer {
 public:
  // Finds and opens the fonts. Nothing, with one line naming the package to
  // install in `error`, when a font is missing or lacks the Japanese glyphs.
  static std::unique_ptr<TtfTextRenderer> Create(std::string& error, const Families& families = {});
  ~TtfTextRenderer() override;
  TtfTextRenderer(const TtfTextRenderer&) = delete;
  TtfTextRenderer& operator=(const TtfTextRenderer&) = delete;

  int lineHeight(const platform::Font& font) const override;
  int textWidth(std::string_view utf8, const platform::Font& font) const override;
  platform::Rect drawText(platform::Picture& dst, platform::Point at, std::string_view utf8,
                          const platform::Font& font, platform::Rgb fore) const override;

  // Which font file a face is drawn with.
  const FontFile& fileFor(platform::FontFace face) const;

 private:
  TtfTextRenderer(FontFile proportional, FontFile fixed);

  // One opened size and weight of a font file; opened once, kept.
  using FaceKey = std::tuple<bool /*fixed*/, int /*pixels*/, bool /*bold*/>;
  TTF_Font* face(const platform::Font& font) const;

  // The coverage of a line of text, rendered once and kept for the next paint.
  struct Coverage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> alpha;
  };
  const Coverage& coverage(std::string_view utf8, const platform::Font& font) const;

  FontFile proportional_, fixed_;
  mutable std::map<FaceKey, TTF_Font*> faces_;
  mutable std::map<std::pair<FaceKey, std::string>, Coverage> lines_;
};

}  // namespace chu::fonts
