// The runners: grey mouse-horses with saddle cloths in their post colours,
// drawn as text art. Each cell of the sprite sheet and its mask come from the
// same rows, so they always agree.
#include <string>

#include "assets/art.h"
#include "assets/pictures.h"

namespace chu::pictures {

using art::Art;
using art::Palette;
using art::Rows;
using platform::Picture;

namespace {

// ---------------------------------------------------------------- the cells
// Inks: k outline, g coat, G lit coat, d shaded coat, m mane and hooves,
// p pink (ears, tail), P nose, w eye glint, h saddle leather,
// S saddle cloth and T its trim and number (both in the post's colours).

// Side view facing left, legs stretched out.
const Art& SideLeftStretched() {
  static const Art art = Rows({
      "..........kkkk..................",
      ".........kGGGGk.................",
      "........kGgpggGk................",
      ".....kkkGgppppgGk...............",
      "....kGGkdgppppgdk...............",
      "...kGgggkgpppggk................",
      "..kGggggkddddddk................",
      ".kGgkkwggkkkkkk...............kk",
      ".kggkkkggggggGk..............kpp",
      "kGggggggggggggk.............kppk",
      "PPggggggggggdgmk............kpk.",
      "Pggggggggggdgggmkhhhhkkk...kkpk.",
      "kddddgggggdggggghhhhhhGGk.kpppk.",
      ".kkkkkddddgggggSSSSSSSSgGkppkk..",
      ".....kkkkkgggggSSSSSSSSggGkk....",
      ".........kdggggSSSSSSSSgggGk....",
      "..........kggggSSSSSSSSggggk....",
      "..........kdgggSSSSSSSSgggdk....",
      "...........kkggSSSSSSSSggdk.....",
      "...........kgkgSSSSSSSSggk......",
      "..........kgggkTTTTTTTkgggk.....",
      ".........kggdkkkkkkkkkkdggkk....",
      "........kggdkdk........kggkdk...",
      ".......kggdkdk.........kggkdk...",
      "......kggdkddk.........kgggkdk..",
      ".....kgmmkdmk..........kmggkddk.",
      "....kgmmkdmk...........kmggkmdk.",
      "...kmmmkdmmk............kggkmmmk",
      "....kmkmmmk.............kggkkmk.",
      ".....k.kmk..............kmgmkk..",
      "........k...............kmgmk...",
      ".........................kmk....",
  });
  return art;
}

// Side view facing left, legs gathered under the body.
const Art& SideLeftGathered() {
  static const Art art = Rows({
      "..........kkkk..................",
      ".........kGGGGk.................",
      "........kGgpggGk................",
      ".....kkkGgppppgGk...............",
      "....kGGkdgppppgdk...............",
      "...kGgggkgpppggk................",
      "..kGggggkddddddk................",
      ".kGgkkwggkkkkkk................k",
      ".kggkkkggggggGk...............kp",
      "kGggggggggggggk..............kpp",
      "PPggggggggggdgmk.............kpk",
      "Pggggggggggdgggmkhhhhkkk....kkpk",
      "kddddgggggdggggghhhhhhGGk.kkpppk",
      ".kkkkkddddgggggSSSSSSSSgGkpppkk.",
      ".....kkkkkgggggSSSSSSSSggGkkk...",
      ".........kdggggSSSSSSSSgggGk....",
      "..........kggggSSSSSSSSggggk....",
      "..........kdgggSSSSSSSSgggdk....",
      "...........kkggSSSSSSSSggdk.....",
      "...........kgkgSSSSSSSSggk......",
      "..........kgggkTTTTTTTkgggk.....",
      "..........kdggkkkkkkkkkggk......",
      "...........kggkdk....kggdk......",
      "...........kggkdk....kggk.......",
      "...........kgggkdk..kggdk.......",
      "...........kmggkdk..kgmkk.......",
      "...........kmggkddkkggmk........",
      "............kggkddkkgmkk........",
      "............kggkmdkggmkk........",
      "............kmgmkmkgmkmk........",
      "............kmgmkkmgmkk.........",
      ".............kmk.kkmkk..........",
  });
  return art;
}

// Facing the viewer, the right-hand front leg lifted.
const Art& FrontLeftStep() {
  static const Art art = Rows({
      "................................",
      ".......kkkk...........kkkk......",
      "......kGGGGk.........kGGGGk.....",
      ".....kGggggGk.......kGggggGk....",
      "....kGgppppgGk.....kGgppppgGk...",
      "....kggppppggk.kkk.kggppppggk...",
      "....kdgppppgkkkGGGkkkgppppgdk...",
      ".....kdgppgkGGGgggGGGkgppgdk....",
      "......kdddkGgggggggggGkdddk.....",
      ".......kkkGgggggggggggGkkk......",
      ".........kggkwgggggkwggk........",
      ".........kggkkgggggkkggk........",
      ".........kgggggggggggggk........",
      ".........kgggggPPPgggggk........",
      ".........kdgggGGPGGgggdk........",
      "..........kdgggGkGgggdk.........",
      "...........kdddkgkdddk..........",
      "...........kkkkdddkkkk..........",
      "..........kSgggggggggSk.........",
      ".........kSSgggggggggSSk........",
      "........kSSSgggggggggSSSk.......",
      "........kSSSgggggggggSSSk.......",
      ".........kSSgggggggggSSk........",
      ".........kTTgkgggggkgTTk........",
      ".........kkdkgkgggkgkdkk........",
      ".........kdkgggkdkgggkdk........",
      ".........kdkgggkkkgggkdk........",
      ".........kdkgggk.kmgmkdk........",
      "........kmdkgggk.kmmmkdmk.......",
      "........kmmkmgmk..kmkmmmk.......",
      ".........kmkmgmk...k.kmk........",
      "..........k.kmk.......k.........",
  });
  return art;
}

// Facing the viewer, the left-hand front leg lifted.
const Art& FrontRightStep() {
  static const Art art = Rows({
      "................................",
      ".......kkkk...........kkkk......",
      "......kGGGGk.........kGGGGk.....",
      ".....kGggggGk.......kGggggGk....",
      "....kGgppppgGk.....kGgppppgGk...",
      "....kggppppggk.kkk.kggppppggk...",
      "....kdgppppgkkkGGGkkkgppppgdk...",
      ".....kdgppgkGGGgggGGGkgppgdk....",
      "......kdddkGgggggggggGkdddk.....",
      ".......kkkGgggggggggggGkkk......",
      ".........kggkwgggggkwggk........",
      ".........kggkkgggggkkggk........",
      ".........kgggggggggggggk........",
      ".........kgggggPPPgggggk........",
      ".........kdgggGGPGGgggdk........",
      "..........kdgggGkGgggdk.........",
      "...........kdddkgkdddk..........",
      "...........kkkkdddkkkk..........",
      "..........kSgggggggggSk.........",
      ".........kSSgggggggggSSk........",
      "........kSSSgggggggggSSSk.......",
      "........kSSSgggggggggSSSk.......",
      ".........kSSgggggggggSSk........",
      ".........kTTgkgggggkgTTk........",
      ".........kkdkgkgggkgkdkk........",
      ".........kdkgggkdkgggkdk........",
      ".........kdkgggkkkgggkdk........",
      ".........kdkmgmk.kgggkdk........",
      "........kmdkmmmk.kgggkdmk.......",
      "........kmmmkmk..kmgmkmmk.......",
      ".........kmk.k...kmgmkmk........",
      "..........k.......kmk.k.........",
  });
  return art;
}

// From behind, walking up: the right-hand hind leg lifted.
const Art& BackLeftStep() {
  static const Art art = Rows({
      "................................",
      ".......kkkkk.........kkkkk......",
      "......kGGGGGk.......kGGGGGk.....",
      ".....kGgggggGk.....kGgggggGk....",
      ".....kgggggggk.....kgggggggk....",
      ".....kgggggggkkkkkkkgggggggk....",
      ".....kggggggkGGGmGGGkggggggk....",
      ".....kdggggkGgggmgggGkggggdk....",
      "......kdddkGggggmggggGkdddk.....",
      ".......kkkkgggggmgggggkkkk......",
      "..........kgggggmgggggk.........",
      "..........kgggggmgggggk.........",
      "..........kdggggmggggdk.........",
      "...........kdgggmgggdk..........",
      "............khhhhhhhk...........",
      "...........kSShhhhhSSk..........",
      "..........kSSSSSSSSSSSk.........",
      ".........kSSSSSSSSSSSSSk........",
      "........kSSSSSSSSSSSSSSSk.......",
      "........kTTTTTTTTTTTTTTTk.......",
      "........kgggggggpgggggggk.......",
      "........kgggggggpgggggggk.......",
      "........kdggggggpggggggdk.......",
      ".........kkgggggpgggggkk........",
      ".........kggggggpggggggk........",
      ".........kggggkdpdkggggk........",
      ".........kggggkkppkggggk........",
      ".........kggggkkkppmggmk........",
      ".........kggggkk.kppmmmk........",
      ".........kmggmkk.kmkmmk.........",
      ".........kmggmk...kmkk..........",
      "..........kmmk.....k............",
  });
  return art;
}

// From behind, walking up: the left-hand hind leg lifted.
const Art& BackRightStep() {
  static const Art art = Rows({
      "................................",
      ".......kkkkk.........kkkkk......",
      "......kGGGGGk.......kGGGGGk.....",
      ".....kGgggggGk.....kGgggggGk....",
      ".....kgggggggk.....kgggggggk....",
      ".....kgggggggkkkkkkkgggggggk....",
      ".....kggggggkGGGmGGGkggggggk....",
      ".....kdggggkGgggmgggGkggggdk....",
      "......kdddkGggggmggggGkdddk.....",
      ".......kkkkgggggmgggggkkkk......",
      "..........kgggggmgggggk.........",
      "..........kgggggmgggggk.........",
      "..........kdggggmggggdk.........",
      "...........kdgggmgggdk..........",
      "............khhhhhhhk...........",
      "...........kSShhhhhSSk..........",
      "..........kSSSSSSSSSSSk.........",
      ".........kSSSSSSSSSSSSSk........",
      "........kSSSSSSSSSSSSSSSk.......",
      "........kTTTTTTTTTTTTTTTk.......",
      "........kgggggggpgggggggk.......",
      "........kgggggggpgggggggk.......",
      "........kdggggggpggggggdk.......",
      ".........kkgggggpgggggkk........",
      ".........kggggggpggggggk........",
      ".........kggggkdpdkggggk........",
      ".........kggggkppkkggggk........",
      ".........kmggmppkkkggggk........",
      ".........kmmmppk.kkggggk........",
      "..........kmmkmk.kkmggmk........",
      "...........kkmk...kmggmk........",
      ".............k.....kmmk.........",
  });
  return art;
}
// The eye of a left-facing side view squeezed shut (laid at 4, 7).
const Art& EyeShut() {
  static const Art art = Rows({
      "ggg",
      "kkk",
  });
  return art;
}

// Tears streaming down from both eyes of a front view (laid at 10, 12).
const Art& Tears() {
  static const Art art = Rows({
      "..b.......b..",
      "..b.......b..",
      ".bb.......bb.",
      ".b.........b.",
  });
  return art;
}

// The post numbers on the saddle cloth, 3×5.
const Art& Digit(int post) {
  static const std::array<Art, 6> digits{
      Rows({".T.", "TT.", ".T.", ".T.", "TTT"}), Rows({"TT.", "..T", ".T.", "T..", "TTT"}),
      Rows({"TT.", "..T", ".T.", "..T", "TT."}), Rows({"T.T", "T.T", "TTT", "..T", "..T"}),
      Rows({"TTT", "T..", "TT.", "..T", "TT."}), Rows({".TT", "T..", "TT.", "T.T", ".T."}),
  };
  return digits[post];
}

// Lays the glyph's inked cells on the saddle cloth only, so the figure's
// outline (and with it the mask) stays as it is.
Art OnSaddle(Art art, const Art& glyph, int x, int y) {
  for (int r = 0; r < static_cast<int>(glyph.size()); ++r)
    for (int c = 0; c < static_cast<int>(glyph[r].size()); ++c)
      if (glyph[r][c] != art::kClear && art[y + r][x + c] == 'S') art[y + r][x + c] = glyph[r][c];
  return art;
}

// Where the number sits on the cloth of a left- and a right-facing side view.
constexpr platform::Point kNumberFacingLeft{17, 14};
constexpr platform::Point kNumberFacingRight{kCell - 3 - 17, 14};

// ------------------------------------------------------------ the colours

const Palette& Coat() {
  static const Palette palette{
      {'k', 0x000000}, {'g', 0xA8A8A8}, {'G', 0xD8D8D8}, {'d', 0x707070}, {'m', 0x484848}, {'p', 0xF4A4B4},
      {'P', 0xE05070}, {'w', 0xFFFFFF}, {'h', 0x6A4020}, {'b', 0x40A0FF}, {'S', 0x000000}, {'T', 0x000000},
  };
  return palette;
}

struct Cloth {
  std::uint32_t cloth, trim;
};
// The saddle cloths of posts 1 to 6: the post colour with its text colour as trim.
constexpr std::array<Cloth, 6> kCloths{{
    {0xFFFFFF, 0x000000},
    {0x000000, 0xFFFFFF},
    {0xFF0000, 0xFFFFFF},
    {0x00FFFF, 0x000000},
    {0x008000, 0xFFFFFF},
    {0xFF8000, 0xFFFFFF},
}};
// The icon of post 2 cannot show a black cloth on its black ground: navy.
constexpr std::uint32_t kNavy = 0x000080;

Palette PostPalette(Cloth c) { return Coat().with({{'S', c.cloth}, {'T', c.trim}}); }

// ------------------------------------------------------------ the sheet

// The art of a pose (0…5) and leg phase (0, 1), without a number.
Art PoseArt(int pose, int leg) {
  switch (pose) {
    case 0: return leg == 0 ? SideLeftStretched() : SideLeftGathered();
    case 1: return art::Mirror(leg == 0 ? SideLeftStretched() : SideLeftGathered());
    case 2: return leg == 0 ? BackLeftStep() : BackRightStep();
    case 3: return leg == 0 ? FrontLeftStep() : FrontRightStep();
    case 4: return art::Mirror(art::Overlay(leg == 0 ? SideLeftStretched() : SideLeftGathered(), EyeShut(), 4, 7));
    default: return art::Overlay(leg == 0 ? FrontLeftStep() : FrontRightStep(), Tears(), 10, 12);
  }
}

// The pose's art with the post's number on the cloth, where the cloth shows it.
Art NumberedArt(int pose, int leg, int post) {
  Art a = PoseArt(pose, leg);
  if (pose == 0) return OnSaddle(std::move(a), Digit(post), kNumberFacingLeft.x, kNumberFacingLeft.y);
  if (pose == 1 || pose == 4) return OnSaddle(std::move(a), Digit(post), kNumberFacingRight.x, kNumberFacingRight.y);
  return a;
}

}  // namespace

Picture MakeSpriteSheet() {
  Picture sheet(kSheetSize.w, kSheetSize.h);
  for (int pose = 0; pose < 6; ++pose) {
    for (int leg = 0; leg < 2; ++leg) {
      const int x = 64 * pose + 32 * leg;
      for (int post = 0; post < 6; ++post)
        art::PaintImage(sheet, x, kCell * post, NumberedArt(pose, leg, post), PostPalette(kCloths[post]));
      art::PaintMask(sheet, x, kCell * kMaskRow, PoseArt(pose, leg));
    }
  }
  return sheet;
}

std::array<Picture, 6> MakeRunnerIcons() {
  std::array<Picture, 6> icons;
  for (int post = 0; post < 6; ++post) {
    Cloth c = kCloths[post];
    if (c.cloth == 0) c.cloth = kNavy;
    icons[post] = Picture(kCell, kCell);
    art::PaintImage(icons[post], 0, 0, PoseArt(1, 0), PostPalette(c));
  }
  return icons;
}

std::string CheckRunnerArt() {
  for (int pose = 0; pose < 6; ++pose) {
    for (int leg = 0; leg < 2; ++leg) {
      for (int post = 0; post < 6; ++post) {
        const Art a = NumberedArt(pose, leg, post);
        std::string fault = art::CheckArt(a, PostPalette(kCloths[post]));
        if (fault.empty() && (a.size() != kCell || a.front().size() != kCell)) fault = "not 32x32";
        if (!fault.empty())
          return "pose " + std::to_string(pose) + " leg " + std::to_string(leg) + " post " + std::to_string(post + 1) +
                 ": " + fault;
      }
    }
  }
  return {};
}

}  // namespace chu::pictures
