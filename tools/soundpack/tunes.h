// The saver's own music: ten paddock pieces that loop (Bgm0..Bgm9) and four
// short fanfares before the race (In0..In3).
#pragma once

#include <vector>

#include "score.h"

namespace chu::soundpack {

const std::vector<Piece>& PaddockPieces();
const std::vector<Piece>& PreRacePieces();

}  // namespace chu::soundpack
