#include "platform/raster/paint.h"

#include <cmath>

namespace chu::platform {

namespace {
constexpr int kRadioSize = 12;
constexpr int kRadioGap = 4;  // between the radio mark and its caption
constexpr int kFocusInset = 4;

Rect Inset(Rect r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }
Rect Moved(Rect r, Point by) { return {r.x + by.x, r.y + by.y, r.w, r.h}; }

void HLine(Picture& p, int x0, int x1, int y, Rgb c) { p.fillRect({x0, y, x1 - x0 + 1, 1}, c.packed()); }
void VLine(Picture& p, int x, int y0, int y1, Rgb c) { p.fillRect({x, y0, 1, y1 - y0 + 1}, c.packed()); }

// One bevel ring: `topLeft` on the top and left sides, `bottomRight` on the others.
void Bevel(Picture& p, Rect r, Rgb topLeft, Rgb bottomRight) {
  if (r.empty()) return;
  HLine(p, r.x, r.right() - 1, r.y, topLeft);
  VLine(p, r.x, r.y, r.bottom() - 1, topLeft);
  HLine(p, r.x, r.right() - 1, r.bottom() - 1, bottomRight);
  VLine(p, r.right() - 1, r.y, r.bottom() - 1, bottomRight);
}

void Frame(Picture& p, Rect r, Rgb c) { Bevel(p, r, c, c); }

void DrawBorder(Picture& target, Rect r, Border b) {
  if (b == Border::Single) Frame(target, r, colour::black);
  if (b == Border::Sunken3D) DrawSunkenEdge(target, r);
}

// The round mark of an option button, its top-left corner at `at`.
void DrawRadioMark(Picture& target, Point at, bool value) {
  constexpr double c = (kRadioSize - 1) / 2.0;
  for (int y = 0; y < kRadioSize; ++y) {
    for (int x = 0; x < kRadioSize; ++x) {
      const double d = std::hypot(x - c, y - c);
      const bool upperLeft = x + y < kRadioSize - 1;
      Rgb ink;
      if (d <= 1.9 && value) ink = colour::black;
      else if (d <= 4.2) ink = colour::white;
      else if (d <= 5.2) ink = upperLeft ? edge::darkShadow : edge::light;
      else if (d <= 6.2) ink = upperLeft ? edge::shadow : edge::highlight;
      else continue;
      if (target.bounds().contains({at.x + x, at.y + y})) target.set(at.x + x, at.y + y, ink.packed());
    }
  }
}

struct ItemPainter {
  Picture& target;
  const TextRenderer* text;
  Rect where;
  void operator()(const Label* l) const { PaintLabel(target, where, *l, text); }
  void operator()(const PictureBox* b) const { PaintPictureBox(target, where, *b); }
  void operator()(const OptionButton* o) const { PaintOptionButton(target, where, *o, text); }
  void operator()(const PushButton* b) const { PaintPushButton(target, where, *b, text); }
};

Rect RectOf(const decltype(ViewItem::control)& c) {
  return std::visit([](const auto* control) { return control->rect; }, c);
}
}  // namespace

void DrawSunkenEdge(Picture& target, Rect r) {
  Bevel(target, r, edge::shadow, edge::highlight);
  Bevel(target, Inset(r, 1), edge::darkShadow, edge::light);
}

void DrawRaisedEdge(Picture& target, Rect r) {
  Bevel(target, r, edge::highlight, colour::black);
  Bevel(target, Inset(r, 1), edge::light, edge::shadow);
}

void DrawFocusRect(Picture& target, Rect r) {
  if (r.empty()) return;
  auto dot = [&](int x, int y) {
    if ((x + y) % 2 == 0 && target.bounds().contains({x, y})) target.set(x, y, colour::black.packed());
  };
  for (int x = r.x; x < r.right(); ++x) {
    dot(x, r.y);
    dot(x, r.bottom() - 1);
  }
  for (int y = r.y; y < r.bottom(); ++y) {
    dot(r.x, y);
    dot(r.right() - 1, y);
  }
}

void DrawTextClipped(Picture& target, Rect clip, Point at, std::string_view utf8, const Font& font, Rgb fore,
                     const TextRenderer& text) {
  clip = intersect(clip, target.bounds());
  if (clip.empty() || utf8.empty()) return;
  // The text goes into a copy of the clip's pixels, which then goes back.
  Picture part(clip.w, clip.h);
  BitBlt(part, 0, 0, clip.w, clip.h, target, clip.x, clip.y, Rop::SrcCopy);
  text.drawText(part, {at.x - clip.x, at.y - clip.y}, utf8, font, fore);
  BitBlt(target, clip.x, clip.y, clip.w, clip.h, part, 0, 0, Rop::SrcCopy);
}

void PaintLabel(Picture& target, Rect where, const Label& label, const TextRenderer* text) {
  if (!label.transparent) target.fillRect(where, label.back.packed());
  DrawBorder(target, where, label.border);
  if (text == nullptr || label.caption.empty()) return;
  // The caption stands at the top of the label, left or centred. A line
  // taller than the label (the runner list's 16 pixels in an 18-pixel font)
  // rises by half the excess: the blank row above the glyphs goes, not their feet.
  const Rect inner = Inset(where, BorderWidth(label.border));
  int x = inner.x;
  if (label.align == Align::Centre) x += (inner.w - text->textWidth(label.caption, label.font)) / 2;
  const int excess = text->lineHeight(label.font) - inner.h;
  const int y = excess > 0 ? inner.y - (excess + 1) / 2 : inner.y;
  DrawTextClipped(target, inner, {x, y}, label.caption, label.font, label.fore, *text);
}

void PaintPictureBox(Picture& target, Rect where, const PictureBox& box) {
  const Rect inner = Inset(where, BorderWidth(box.border));
  target.fillRect(inner, box.back.packed());
  const Picture* picture = box.drawing != nullptr ? &box.drawing->image() : box.picture;
  if (picture != nullptr) {
    const Rect shown = intersect(inner, {inner.x, inner.y, picture->width(), picture->height()});
    BitBlt(target, shown.x, shown.y, shown.w, shown.h, *picture, shown.x - inner.x, shown.y - inner.y, Rop::SrcCopy);
  }
  DrawBorder(target, where, box.border);
}

void PaintOptionButton(Picture& target, Rect where, const OptionButton& button, const TextRenderer* text) {
  target.fillRect(where, edge::face.packed());
  DrawRadioMark(target, {where.x, where.y + (where.h - kRadioSize) / 2}, button.value);
  if (text == nullptr) return;
  const Rect caption{where.x + kRadioSize + kRadioGap, where.y, where.w - kRadioSize - kRadioGap, where.h};
  const int height = text->lineHeight(button.font);
  const Point at{caption.x + 1, caption.y + (caption.h - height) / 2};
  DrawTextClipped(target, caption, at, button.caption, button.font, colour::windowText, *text);
  if (button.focused) {
    const int width = text->textWidth(button.caption, button.font);
    DrawFocusRect(target, intersect(caption, {at.x - 1, at.y, width + 2, height}));
  }
}

void PaintPushButton(Picture& target, Rect where, const PushButton& button, const TextRenderer* text) {
  target.fillRect(where, edge::face.packed());
  // A button held down looks pushed in, its caption one pixel down and right.
  const int shift = button.pressed ? 1 : 0;
  if (button.pressed) DrawSunkenEdge(target, where);
  else DrawRaisedEdge(target, where);
  if (text != nullptr) {
    const Rect inner = Inset(where, 2);
    const int width = text->textWidth(button.caption, button.font);
    const Point at{inner.x + (inner.w - width) / 2 + shift,
                   inner.y + (inner.h - text->lineHeight(button.font)) / 2 + shift};
    DrawTextClipped(target, inner, at, button.caption, button.font, colour::windowText, *text);
  }
  if (button.focused) DrawFocusRect(target, Inset(where, kFocusInset));
}

void PaintWindow(Picture& target, const WindowView& view, const TextRenderer* text, Point offset) {
  target.fill(view.background.packed());
  for (const ViewItem& item : view.items) {
    const Point origin{item.origin.x - offset.x, item.origin.y - offset.y};
    std::visit(ItemPainter{target, text, Moved(RectOf(item.control), origin)}, item.control);
  }
}

}  // namespace chu::platform
