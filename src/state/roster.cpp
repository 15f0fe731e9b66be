#include "state/race_state.h"

namespace chu {

namespace {
struct RosterRow {
  const char* name;
  double speed;
  int accel;
};

constexpr std::array<RosterRow, kRosterSize> kRoster{{
    {"サイレンチュウスズカ", 12.9, 5},   {"セイウンチュカイ", 12.6, 3},
    {"ビックリサンチュウ", 11.8, 2},     {"サイレンチュウハンター", 12.1, 2},
    {"ロンドンカケハチュウ", 11.7, 3},   {"エイシンバーチュウ", 11.4, 3},
    {"シネマチュウコプ", 10.2, 4},       {"オフサイドトラッチュウ", 12.8, 2},
    {"タイキシャトチュウ", 13, 3},       {"ケイチュウバイキング", 11.5, 2},
    {"タモシオン", 10.4, 2},             {"キングハイチュウ", 11.6, 2},
    {"ダイワオーチュウ", 11.1, 2},       {"ゴーインチュウスズカ", 10.9, 2},
    {"スペシャルチュィーク", 12.5, 2},   {"シーキンチュウパール", 12.2, 2},
    {"ロイヤチュウスズカ", 11.3, 2},     {"サンライズフラッチュウ", 11.9, 2},
    {"エアグチュウブ", 12.7, 2},         {"ステイゴールチュウ", 12.3, 2},
    {"トキオエクセレンチュウ", 10.3, 2}, {"メジロブライチュウ", 12.4, 2},
    {"チュウノハヤカゼ", 11.2, 2},       {"ヒロデクロチュウ", 10.8, 2},
    {"ボーチュウエンペラー", 11, 2},     {"メイチュウオウドウ", 10.1, 2},
    {"シルクジャスティチュウ", 12, 2},   {"スギノチューティー", 10.5, 2},
    {"ローゼンカバチュウ", 10.7, 2},     {"マイネチュウラブ", 10.6, 2},
}};
}  // namespace

void FillRoster(RaceState& s) {
  for (int k = 0; k < kRosterSize; ++k) {
    s.rosterName[k] = kRoster[k].name;
    s.rosterSpeed[k] = kRoster[k].speed;
    s.rosterAccel[k] = kRoster[k].accel;
  }
  for (int k = 0; k < kRosterSize; ++k) s.rosterStyle[k] = k / 7;
}

}  // namespace chu
