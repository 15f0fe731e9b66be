#include "platform/fonts/ttf_text.h"

#include <SDL_ttf.h>

#include <algorithm>

namespace chu::fonts {

using platform::Font;
using platform::FontFace;
using platform::Picture;
using platform::Point;
using platform::Rect;
using platform::Rgb;

namespace {
// Characters every screen writes: the result board's heading and spaces, the
// paddock's kana and the dialog's exclamation mark.
constexpr Uint32 kRequiredGlyphs[] = {0xFF1C, 0x7740, 0x9806, 0xFF1E, 0x3000, 0x30A3, 0xFF01, 0x3061, 0x5DEE};
// Rendered lines kept for repainting; beyond this the store starts afresh.
constexpr std::size_t kMaxCachedLines = 512;

bool IsFixed(FontFace face) { return face == FontFace::Gothic || face == FontFace::System; }

// Opens the font at one size to see that it loads and has the Japanese glyphs.
std::string CheckFontFile(const FontFile& f) {
  TTF_Font* font = TTF_OpenFontIndex(f.path.c_str(), 16, f.index);
  if (font == nullptr)
    return "cannot open the font " + f.path + ": " + TTF_GetError() + "; install the Debian package " + kFontPackage;
  std::string error;
  for (Uint32 c : kRequiredGlyphs) {
    if (TTF_GlyphIsProvided32(font, c) == 0) {
      error = "the font " + f.family + " lacks Japanese glyphs; install the Debian package " + kFontPackage;
      break;
    }
  }
  TTF_CloseFont(font);
  return error;
}

std::uint32_t Blend(std::uint32_t under, Rgb fore, unsigned a) {
  auto mix = [a](unsigned top, unsigned bottom) { return (top * a + bottom * (255 - a) + 127) / 255; };
  const unsigned r = mix(fore.r, under >> 16 & 0xFF), g = mix(fore.g, under >> 8 & 0xFF), b = mix(fore.b, under & 0xFF);
  return r << 16 | g << 8 | b;
}
}  // namespace

std::unique_ptr<TtfTextRenderer> TtfTextRenderer::Create(std::string& error, const Families& families) {
  std::optional<FontFile> proportional = FindFont(families.proportional, error);
  if (!proportional) return nullptr;
  std::optional<FontFile> fixed = FindFont(families.fixed, error);
  if (!fixed) return nullptr;
  if (TTF_Init() != 0) {
    error = std::string("cannot start SDL_ttf: ") + TTF_GetError();
    return nullptr;
  }
  for (const FontFile* f : {&*proportional, &*fixed}) {
    error = CheckFontFile(*f);
    if (!error.empty()) {
      TTF_Quit();
      return nullptr;
    }
  }
  return std::unique_ptr<TtfTextRenderer>(new TtfTextRenderer(std::move(*proportional), std::move(*fixed)));
}

TtfTextRenderer::TtfTextRenderer(FontFile proportional, FontFile fixed)
    : proportional_(std::move(proportional)), fixed_(std::move(fixed)) {}

TtfTextRenderer::~TtfTextRenderer() {
  for (auto& [key, font] : faces_) TTF_CloseFont(font);
  TTF_Quit();
}

const FontFile& TtfTextRenderer::fileFor(FontFace face) const { return IsFixed(face) ? fixed_ : proportional_; }

TTF_Font* TtfTextRenderer::face(const Font& font) const {
  const FaceKey key{IsFixed(font.face), std::max(font.pixelSize(), 1), font.bold};
  if (auto it = faces_.find(key); it != faces_.end()) return it->second;
  const FontFile& file = fileFor(font.face);
  // SDL_ttf's point size is in pixels at its 72 dots per inch: the em is the
  // font's pixel size at 96 dots per inch.
  TTF_Font* opened = TTF_OpenFontIndex(file.path.c_str(), std::get<1>(key), file.index);
  if (opened != nullptr && font.bold) TTF_SetFontStyle(opened, TTF_STYLE_BOLD);
  faces_.emplace(key, opened);
  return opened;
}

int TtfTextRenderer::lineHeight(const Font& font) const {
  TTF_Font* f = face(font);
  return f != nullptr ? TTF_FontHeight(f) : font.pixelSize();
}

int TtfTextRenderer::textWidth(std::string_view utf8, const Font& font) const {
  return coverage(utf8, font).width;
}

const TtfTextRenderer::Coverage& TtfTextRenderer::coverage(std::string_view utf8, const Font& font) const {
  const FaceKey key{IsFixed(font.face), std::max(font.pixelSize(), 1), font.bold};
  auto id = std::make_pair(key, std::string(utf8));
  if (auto it = lines_.find(id); it != lines_.end()) return it->second;
  if (lines_.size() >= kMaxCachedLines) lines_.clear();

  Coverage c;
  TTF_Font* f = face(font);
  SDL_Surface* s = (f != nullptr && !utf8.empty())
                       ? TTF_RenderUTF8_Blended(f, id.second.c_str(), SDL_Color{255, 255, 255, 255})
                       : nullptr;
  if (s != nullptr) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (argb != nullptr) {
      c.width = argb->w;
      c.height = argb->h;
      c.alpha.resize(static_cast<std::size_t>(c.width) * c.height);
      SDL_LockSurface(argb);
      for (int y = 0; y < c.height; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < c.width; ++x) c.alpha[static_cast<std::size_t>(y) * c.width + x] = row[x] >> 24;
      }
      SDL_UnlockSurface(argb);
      SDL_FreeSurface(argb);
    }
  }
  return lines_.emplace(std::move(id), std::move(c)).first->second;
}

Rect TtfTextRenderer::drawText(Picture& dst, Point at, std::string_view utf8, const Font& font, Rgb fore) const {
  const Coverage& c = coverage(utf8, font);
  const Rect r = platform::intersect({at.x, at.y, c.width, c.height}, dst.bounds());
  if (r.empty()) return {};
  for (int y = r.y; y < r.bottom(); ++y) {
    std::uint32_t* out = dst.row(y);
    const std::uint8_t* a = c.alpha.data() + static_cast<std::size_t>(y - at.y) * c.width - at.x;
    for (int x = r.x; x < r.right(); ++x)
      if (a[x] != 0) out[x] = a[x] == 255 ? fore.packed() : Blend(out[x], fore, a[x]);
  }
  return r;
}

}  // namespace chu::fonts
