// The smaller pictures: the starting gate's stall front, the paddock board's
// background and the program's icon.
#include <algorithm>

#include "assets/art.h"
#include "assets/pictures.h"

namespace chu::pictures {

using art::Art;
using art::Rows;
using platform::Picture;

namespace {

constexpr int kStall = 34;  // a stall front, and its mask beside it

// The stall front: a dark blue frame and diagonal bars, each bar lit on one
// side and edged black, with gaps between them through which the runner in the
// stall shows.
Art StallFrontArt() {
  Art a(kStall, std::string(kStall, art::kClear));
  for (int y = 0; y < kStall; ++y) {
    for (int x = 0; x < kStall; ++x) {
      const int fromEdge = std::min(std::min(x, y), std::min(kStall - 1 - x, kStall - 1 - y));
      char ink = art::kClear;
      if (fromEdge == 0 || fromEdge == 3) ink = 'k';
      else if (fromEdge < 3) ink = (y < 3 && y <= kStall - 1 - x) || (x < 3 && x <= kStall - 1 - y) ? 'L' : 'B';
      else {
        switch ((x - y + 2 * kStall) % 8) {
          case 0: ink = 'k'; break;
          case 1: ink = 'L'; break;
          case 2: ink = 'B'; break;
          case 3: ink = 'k'; break;
          default: break;
        }
      }
      a[y][x] = ink;
    }
  }
  return a;
}

const art::Palette& GateInks() {
  static const art::Palette inks{{'k', 0x000000}, {'B', 0x000090}, {'L', 0x3048C8}};
  return inks;
}

// The program icon, in the sixteen colours of the old palette.
const Art& ProgramIconArt() {
  static const Art art = Rows({
      "......kkk...............kkk.....",
      "....kkWWWkk...........kkWWWkk...",
      "...kWWgggWWk.........kWWgggWWk..",
      "..kWgggggggWk.......kWgggggggWk.",
      ".kWggpppppggWk.....kWggpppppggWk",
      ".kggpppppppggk.....kggpppppppggk",
      ".kggpppppppggk.....kggpppppppggk",
      ".kggpppppppggk.....kggpppppppggk",
      ".kggpppppppgkkkkkkkkkgpppppppggk",
      ".kdgppppppkkWWWWWWWWWkkppppppgdk",
      "..kdggpppkWWgggggggggWWkpppggdk.",
      "...kddggkWgggggggggggggWkggddk..",
      "....kkdkWgggggggggggggggWkdkk...",
      "......kWgggggggggggggggggWk.....",
      "......kgggkkWggggggkkWggggk.....",
      ".....kWgggkkkggggggkkkggggWk....",
      ".....kggggkkkggggggkkkgggggk....",
      ".....kgggggggggggggggggggggk....",
      ".....kgggggggggggggggggggggk....",
      ".....kdgggggggggggggggggggdk....",
      "......kgggggggPPPPggggggggk.....",
      "......kdggggggPPPPgggggggdk.....",
      ".......kdgggggggggggggggdk......",
      "........kdggggkggkgggggdk.......",
      "........kkddgggkkggggddkk.......",
      ".......kWgkkdddddddddkkgWk......",
      ".......kSSggkkkkkkkkkgSSSk......",
      "......kSSSggggggggggggSSSSk.....",
      "......kSSSggggggggggggSSSSk.....",
      "......kSSSggggggggggggSSSSk.....",
      ".......kSSggggggggggggSSSk......",
      ".......kSSddddddddddddSSSk......",
  });
  return art;
}

}  // namespace

Picture MakeGate() {
  Picture gate(kGateSize.w, kGateSize.h);
  const Art front = StallFrontArt();
  art::PaintImage(gate, 0, 0, front, GateInks());
  art::PaintMask(gate, kStall, 0, front);
  return gate;
}

// Plain light grey with a thin light frame.
Picture MakeBoard() {
  Picture board(kBoardSize.w, kBoardSize.h, 0xC0C0C0);
  const int w = kBoardSize.w, h = kBoardSize.h;
  for (auto [inset, colour] : {std::pair{0, 0xFFFFFFu}, std::pair{1, 0xE0E0E0u}}) {
    board.fillRect({inset, inset, w - 2 * inset, 1}, colour);
    board.fillRect({inset, h - 1 - inset, w - 2 * inset, 1}, colour);
    board.fillRect({inset, inset, 1, h - 2 * inset}, colour);
    board.fillRect({w - 1 - inset, inset, 1, h - 2 * inset}, colour);
  }
  return board;
}

Picture MakeProgramIcon() {
  // Black, white, silver, grey, red and fuchsia: all of the sixteen.
  static const art::Palette inks{{'k', 0x000000}, {'W', 0xFFFFFF}, {'g', 0xC0C0C0}, {'d', 0x808080},
                                 {'p', 0xFF00FF}, {'P', 0xFF0000}, {'S', 0xFF0000}};
  Picture icon(kCell, kCell);
  art::PaintImage(icon, 0, 0, ProgramIconArt(), inks);
  return icon;
}

}  // namespace chu::pictures
