// Geometry of a painted window: which surface lies under the pointer, which
// parts of a picture changed, which parts of the course view lie under the
// controls that sit on it.
#pragma once

#include <vector>

#include "platform/controls.h"
#include "platform/raster/picture.h"
#include "platform/types.h"

namespace chu::sdl {

// A mouse position resolved to the surface that receives it, in that
// surface's own coordinates.
struct SurfaceHit {
  platform::SurfaceId surface = platform::SurfaceId::None;
  platform::Point local;
  bool overPicture = false;  // over a child picture (the default pointer shows there)
};

// The window rectangle of an item: its rect moved by its container's origin.
platform::Rect ItemRect(const platform::ViewItem& item);

// The topmost picture box containing the point catches it; labels and buttons
// catch nothing; otherwise it is the window's own surface.
SurfaceHit HitTest(const platform::WindowView& view, platform::Point p);

// The parts of `r` outside `hole` (none, one or up to four rectangles).
std::vector<platform::Rect> Subtract(platform::Rect r, platform::Rect hole);

// Where the course drawing `drawing` shows through: its window rectangle minus
// every control painted above it. Empty when the view holds no such drawing.
std::vector<platform::Rect> VisibleDrawingArea(const platform::WindowView& view,
                                               const platform::DrawingSurface* drawing);

// The rectangles in which two pictures of the same size differ, found tile by
// tile (tiles in one row merged). All of `now` when the sizes differ.
std::vector<platform::Rect> ChangedTiles(const platform::Picture& before, const platform::Picture& now,
                                         int tile = 32);

// The same, for a part of a picture: `part` against the rectangle of `whole`
// at `at`; the rectangles come in `whole`'s coordinates.
std::vector<platform::Rect> ChangedTilesAt(const platform::Picture& whole, platform::Point at,
                                           const platform::Picture& part, int tile = 32);

// Where a window's controls lie: the bounding box of its items, clipped to
// `bounds`. Outside it a window shows only its background.
platform::Rect ContentBox(const platform::WindowView& view, platform::Rect bounds);

// Rectangles merged into their bounding box once there are more than `most`.
void CapRects(std::vector<platform::Rect>& rects, std::size_t most);

}  // namespace chu::sdl
