#include "platform/sdl/view_geometry.h"

#include <algorithm>
#include <cstring>

namespace chu::sdl {

using namespace platform;

namespace {
Rect ControlRect(const ViewItem& item) {
  return std::visit([](const auto* c) { return c->rect; }, item.control);
}
}  // namespace

Rect ItemRect(const ViewItem& item) {
  Rect r = ControlRect(item);
  r.x += item.origin.x;
  r.y += item.origin.y;
  return r;
}

SurfaceHit HitTest(const WindowView& view, Point p) {
  for (auto it = view.items.rbegin(); it != view.items.rend(); ++it) {
    const auto* const* box = std::get_if<const PictureBox*>(&it->control);
    if (box == nullptr) continue;
    const Rect r = ItemRect(*it);
    if (!r.contains(p)) continue;
    const int inset = BorderWidth((*box)->border);
    return SurfaceHit{(*box)->surface, {p.x - r.x - inset, p.y - r.y - inset}, true};
  }
  return SurfaceHit{view.surface, p, false};
}

std::vector<Rect> Subtract(Rect r, Rect hole) {
  const Rect cut = intersect(r, hole);
  if (cut.empty()) return r.empty() ? std::vector<Rect>{} : std::vector<Rect>{r};
  std::vector<Rect> out;
  auto add = [&](Rect part) {
    if (!part.empty()) out.push_back(part);
  };
  add({r.x, r.y, r.w, cut.y - r.y});                              // above
  add({r.x, cut.bottom(), r.w, r.bottom() - cut.bottom()});       // below
  add({r.x, cut.y, cut.x - r.x, cut.h});                          // left
  add({cut.right(), cut.y, r.right() - cut.right(), cut.h});      // right
  return out;
}

std::vector<Rect> VisibleDrawingArea(const WindowView& view, const DrawingSurface* drawing) {
  std::vector<Rect> area;
  bool found = false;
  for (const ViewItem& item : view.items) {
    if (!found) {
      const auto* const* box = std::get_if<const PictureBox*>(&item.control);
      if (box != nullptr && drawing != nullptr && (*box)->drawing == drawing) {
        found = true;
        Rect r = ItemRect(item);
        const int inset = BorderWidth((*box)->border);
        area.push_back({r.x + inset, r.y + inset, r.w - 2 * inset, r.h - 2 * inset});
      }
      continue;
    }
    // A control above the drawing hides what lies under it.
    const Rect hole = ItemRect(item);
    std::vector<Rect> next;
    for (const Rect& r : area)
      for (const Rect& part : Subtract(r, hole)) next.push_back(part);
    area.swap(next);
  }
  return area;
}

std::vector<Rect> ChangedTiles(const Picture& before, const Picture& now, int tile) {
  if (before.size() != now.size()) return now.empty() ? std::vector<Rect>{} : std::vector<Rect>{now.bounds()};
  return ChangedTilesAt(before, {0, 0}, now, tile);
}

std::vector<Rect> ChangedTilesAt(const Picture& whole, Point at, const Picture& part, int tile) {
  std::vector<Rect> out;
  const Rect area = intersect(whole.bounds(), {at.x, at.y, part.width(), part.height()});
  if (area.empty()) return out;
  for (int ty = area.y; ty < area.bottom(); ty += tile) {
    const int th = std::min(tile, area.bottom() - ty);
    Rect run{};
    for (int tx = area.x; tx < area.right(); tx += tile) {
      const int tw = std::min(tile, area.right() - tx);
      bool differs = false;
      for (int y = ty; y < ty + th && !differs; ++y)
        differs = std::memcmp(whole.row(y) + tx, part.row(y - at.y) + (tx - at.x), sizeof(std::uint32_t) * tw) != 0;
      if (differs) {
        run = run.empty() ? Rect{tx, ty, tw, th} : Rect{run.x, ty, tx + tw - run.x, th};
      } else if (!run.empty()) {
        out.push_back(run);
        run = {};
      }
    }
    if (!run.empty()) out.push_back(run);
  }
  return out;
}

Rect ContentBox(const WindowView& view, Rect bounds) {
  Rect box{};
  for (const ViewItem& item : view.items) box = unite(box, intersect(ItemRect(item), bounds));
  return box;
}

void CapRects(std::vector<Rect>& rects, std::size_t most) {
  if (rects.size() <= most) return;
  Rect all{};
  for (const Rect& r : rects) all = unite(all, r);
  rects.assign(1, all);
}

}  // namespace chu::sdl
