// The settings dialog on a real (virtual) X display: a small fixed window,
// driven with the mouse and the keyboard, writing RaceSpeed.Dat on close.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace chu::e2e {
namespace {

constexpr const char* kCaption = "ケルドリンセーバー";
constexpr int kDialogW = 346, kDialogH = 217;

// Controls in the dialog's inner area (the design's twips / 15).
struct Box {
  int x, y, w, h;
};
constexpr Box kOption[5] = {{80, 24, 217, 25}, {80, 56, 121, 25}, {80, 88, 121, 25}, {80, 120, 177, 25},
                            {80, 152, 121, 25}};
constexpr Box kOk{0, 184, 225, 33};
constexpr Box kCancel{224, 184, 121, 33};
constexpr Box kLabel{0, 0, 342, 19};

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display: these tests run under xvfb-run (not installed here)";
    ASSERT_TRUE(x.ok());
  }

  std::map<std::string, std::optional<std::string>> Env() const {
    return {{"CHUDERBY_FOLDER", folder.str()}, {"XDG_RUNTIME_DIR", runtime.str()}};
  }
  std::string SpeedFile() const { return folder.file("RaceSpeed.Dat"); }

  // Starts the dialog and waits for its window; keys go where the pointer is
  // (no window manager), so the pointer rests on the dialog's label.
  std::unique_ptr<Program> Open(const std::vector<std::string>& args = {"/c"}) {
    auto p = std::make_unique<Program>(args, Env());
    const bool up = WaitFor([&] { return (window = x.findWindow(kCaption)).has_value(); });
    EXPECT_TRUE(up) << "the dialog did not appear";
    if (!up) return p;
    geometry = *x.geometry(*window);
    // Painted: the selected option's mark is drawn.
    WaitFor([&] { return x.shot().at(geometry.x + kOk.x + kOk.w / 2, geometry.y + kOk.y + 2) != Rgb{}; });
    MoveMouse(geometry.x + kLabel.x + 5, geometry.y + kLabel.y + 5);
    return p;
  }

  void ClickOn(const Box& b) {
    ASSERT_TRUE(MoveMouse(geometry.x + b.x + b.w / 2, geometry.y + b.y + b.h / 2));
    ASSERT_TRUE(Click(1));
  }

  // Waits until the dialog shows something new: the input before has been handled.
  bool WaitForChange(std::uint64_t before) {
    return WaitFor([&] { return DialogHash() != before; });
  }
  std::uint64_t DialogHash() const { return x.shot().hash(geometry.x, geometry.y, kDialogW, kDialogH); }

  XSession x;
  TempFolder folder, runtime;
  std::optional<unsigned long> window;
  XSession::Geometry geometry;
};

TEST_F(Dialog, IsASmallCentredWindowWithTheStoredSpeedSelected) {
  WriteFile(SpeedFile(), " 4 \r\n");
  auto p = Open();
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(geometry.w, kDialogW);
  EXPECT_EQ(geometry.h, kDialogH);
  EXPECT_EQ(geometry.x, (1024 - kDialogW) / 2);
  EXPECT_EQ(geometry.y, (768 - kDialogH) / 2);
  // The radio mark of "限界の遅さ" has its dot; "普通の速度" has none.
  const Screenshot s = x.shot();
  auto dot = [&](int i) { return s.at(geometry.x + kOption[i].x + 5, geometry.y + kOption[i].y + kOption[i].h / 2); };
  EXPECT_EQ(dot(4), Rgb{}) << ToString(dot(4));
  EXPECT_EQ(dot(2), (Rgb{255, 255, 255})) << ToString(dot(2));
  ClickOn(kCancel);
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), " 4 \r\n");
}

TEST_F(Dialog, WithoutAFileShowsTheDefaultAndRepairsTheFileAtOnce) {
  auto p = Open({});  // no command line: the dialog too
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(ReadFile(SpeedFile()), "2\r\n");
  ClickOn(kCancel);
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), "2\r\n");
}

TEST_F(Dialog, ChoosingWithTheMouseAndPressingOkStoresTheChoice) {
  WriteFile(SpeedFile(), " 2 \r\n");
  auto p = Open({"/c:1234"});
  ASSERT_TRUE(window.has_value());
  ClickOn(kOption[3]);  // ちょっとのんびり
  ClickOn(kOk);         // 設定更新！
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), std::string("\x20\x33\x20\x0D\x0A"));
}

TEST_F(Dialog, CancelLeavesTheFileAsItWas) {
  WriteFile(SpeedFile(), "1,old line\n");
  auto p = Open();
  ASSERT_TRUE(window.has_value());
  const std::uint64_t before = DialogHash();
  ClickOn(kOption[4]);
  ASSERT_TRUE(WaitForChange(before));
  ClickOn(kCancel);  // キャンセル
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), "1,old line\n");
}

TEST_F(Dialog, TheCloseBoxStoresTheChoice) {
  WriteFile(SpeedFile(), " 2 \r\n");
  auto p = Open();
  ASSERT_TRUE(window.has_value());
  const std::uint64_t before = DialogHash();
  ClickOn(kOption[0]);
  ASSERT_TRUE(WaitForChange(before));
  x.sendClose(*window);
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), " 0 \r\n");
}

TEST_F(Dialog, ReleasingTheButtonAwayFromItDoesNothing) {
  WriteFile(SpeedFile(), " 2 \r\n");
  auto p = Open();
  ASSERT_TRUE(window.has_value());
  ASSERT_TRUE(MoveMouse(geometry.x + kCancel.x + 20, geometry.y + kCancel.y + 10));
  ASSERT_TRUE(Xdotool({"mousedown", "1"}));
  ASSERT_TRUE(MoveMouse(geometry.x + kLabel.x + 20, geometry.y + kLabel.y + 5));
  ASSERT_TRUE(Xdotool({"mouseup", "1"}));
  // The dialog is still there: a choice and OK still work.
  ClickOn(kOption[1]);
  ClickOn(kOk);
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), " 1 \r\n");
}

// Keyboard use: the focus starts on the selected option.
struct KeyCase {
  const char* name;
  std::vector<std::string> keys;  // xdotool key names, pressed and released in turn
  std::string file;               // RaceSpeed.Dat afterwards (it held " 2 ")
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class DialogKeys : public Dialog, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeys, StoreWhatTheKeysChose) {
  const KeyCase& c = GetParam();
  WriteFile(SpeedFile(), " 2 \r\n");
  auto p = Open();
  ASSERT_TRUE(window.has_value());
  // Enter and Escape mean nothing to this dialog: it stays open.
  std::uint64_t before = DialogHash();
  ASSERT_TRUE(Key("Return"));
  ASSERT_TRUE(Key("Escape"));
  ASSERT_TRUE(Key("Down"));
  ASSERT_TRUE(WaitForChange(before)) << "the dialog did not take the keys";
  ASSERT_TRUE(p->running());
  ASSERT_TRUE(Key("Up"));  // back on 普通の速度
  for (const std::string& k : c.keys) ASSERT_TRUE(Key(k));
  EXPECT_EQ(p->waitExit(), 0) << p->standardError();
  EXPECT_EQ(ReadFile(SpeedFile()), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, DialogKeys,
    ::testing::Values(
        KeyCase{"DownTabSpaceIsOk", {"Down", "Tab", "space"}, " 3 \r\n"},
        KeyCase{"ArrowsWrapRoundTheGroup", {"Down", "Down", "Down", "Tab", "space"}, " 0 \r\n"},
        KeyCase{"ShiftTabReachesCancel", {"Up", "shift+Tab", "space"}, " 2 \r\n"},
        KeyCase{"TabTwiceIsCancel", {"Left", "Tab", "Tab", "space"}, " 2 \r\n"},
        // From Cancel, Tab goes back into the group, onto the selected option.
        KeyCase{"TabRoundTheDialog", {"Tab", "Tab", "Tab", "Right", "Tab", "space"}, " 3 \r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace chu::e2e
