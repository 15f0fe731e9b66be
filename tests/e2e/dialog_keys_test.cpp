// The settings dialog's keyboard and mouse rules, on the headless machine.
#include <gtest/gtest.h>

#include "assets/assets.h"
#include "platform/virtual/virtual_machine.h"
#include "settings/info_window.h"
#include "startup/saver.h"
#include "support/temp_folder.h"

namespace chu {
namespace {

using platform::Point;

class DialogRules : public ::testing::Test {
 protected:
  void SetUp() override { Write(" 2 \r\n"); }

  void Write(const std::string& bytes) { folder.write("RaceSpeed.Dat", bytes); }
  std::string File() const { return folder.read("RaceSpeed.Dat"); }

  Saver& Open() {
    platform = std::make_unique<platform::Platform>(vm.platformFor(folder.str()));
    saver = std::make_unique<Saver>(*platform, BuiltInAssets(), 1);
    Main(*saver, "/c");
    return *saver;
  }
  void Press(Saver& s, DialogKey k) {
    DialogKeyDown(s, k);
    DialogKeyUp(s, k);
  }
  // Centre of a control's rectangle.
  static Point Centre(platform::Rect r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

  testsupport::TempFolder folder{"chu-dialog"};
  virt::VirtualMachine vm;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<Saver> saver;
};

TEST_F(DialogRules, TheFocusStartsOnTheSelectedOptionAndShowsOnOneControl) {
  Write(" 4 \r\n");
  Saver& s = Open();
  ASSERT_TRUE(s.info);
  EXPECT_EQ(s.info->focus, kFirstOption + 4);
  int focused = 0;
  for (const auto& o : s.info->optSPEED) focused += o.focused;
  focused += s.info->comOK.focused + s.info->comCANCEL.focused;
  EXPECT_EQ(focused, 1);
  EXPECT_TRUE(s.info->optSPEED[4].focused);
}

TEST_F(DialogRules, TabSkipsTheOptionsThatAreNotSelected) {
  Saver& s = Open();
  DialogKeyDown(s, DialogKey::Tab);
  EXPECT_EQ(s.info->focus, kOkButton);
  DialogKeyDown(s, DialogKey::Tab);
  EXPECT_EQ(s.info->focus, kCancelButton);
  DialogKeyDown(s, DialogKey::Tab);
  EXPECT_EQ(s.info->focus, kFirstOption + 2);  // back on the selected option, not on optSPEED(0)
  DialogKeyDown(s, DialogKey::BackTab);
  EXPECT_EQ(s.info->focus, kCancelButton);
  // Arrows on a push button move like Tab.
  DialogKeyDown(s, DialogKey::Left);
  EXPECT_EQ(s.info->focus, kOkButton);
  EXPECT_EQ(s.info->selected(), 2) << "moving the focus selects nothing";
}

TEST_F(DialogRules, ArrowsSelectWithinTheGroupAndWrap) {
  Saver& s = Open();
  DialogKeyDown(s, DialogKey::Up);
  DialogKeyDown(s, DialogKey::Left);
  DialogKeyDown(s, DialogKey::Up);
  EXPECT_EQ(s.info->selected(), 4);
  EXPECT_EQ(s.info->focus, kFirstOption + 4);
  DialogKeyDown(s, DialogKey::Right);
  EXPECT_EQ(s.info->selected(), 0);
  EXPECT_EQ(File(), " 2 \r\n") << "nothing is written before the dialog closes";
}

TEST_F(DialogRules, SpaceActsOnReleaseAndOnlyOnTheControlItPressed) {
  Saver& s = Open();
  DialogKeyDown(s, DialogKey::Tab);    // OK
  DialogKeyDown(s, DialogKey::Space);  // held down ...
  EXPECT_TRUE(s.info->comOK.pressed);
  DialogKeyDown(s, DialogKey::Tab);    // ... while the focus moves on: the press is dropped
  EXPECT_FALSE(s.info->comOK.pressed);
  DialogKeyUp(s, DialogKey::Space);
  ASSERT_TRUE(s.info) << "the dropped press clicked a button";
  EXPECT_EQ(s.info->focus, kCancelButton);
  DialogKeyDown(s, DialogKey::Space);
  ASSERT_TRUE(s.info) << "a button acted on the press, not the release";
  DialogKeyUp(s, DialogKey::Space);
  EXPECT_FALSE(s.info);
  EXPECT_TRUE(s.ended);
  EXPECT_EQ(File(), " 2 \r\n");
}

TEST_F(DialogRules, SpaceOnAFocusedOptionSelectsIt) {
  Saver& s = Open();
  // The mouse takes the focus to an option but is released elsewhere.
  DialogMouseDown(s, Centre(s.info->optSPEED[0].rect));
  DialogMouseUp(s, {5, 5});
  EXPECT_EQ(s.info->focus, kFirstOption);
  EXPECT_EQ(s.info->selected(), 2);
  Press(s, DialogKey::Space);
  EXPECT_EQ(s.info->selected(), 0);
  DialogKeyDown(s, DialogKey::Tab);
  Press(s, DialogKey::Space);
  EXPECT_EQ(File(), " 0 \r\n");
}

TEST_F(DialogRules, AClickActsWhenPressedAndReleasedOverTheSameControl) {
  Saver& s = Open();
  const Point ok = Centre(s.info->comOK.rect), cancel = Centre(s.info->comCANCEL.rect);
  // Over the label and the bare dialog nothing happens, not even a focus change.
  DialogMouseDown(s, {3, 3});
  DialogMouseUp(s, {3, 3});
  EXPECT_EQ(s.info->focus, kFirstOption + 2);
  // Pressed on Cancel, released on OK: neither acts.
  DialogMouseDown(s, cancel);
  DialogMouseUp(s, ok);
  ASSERT_TRUE(s.info);
  EXPECT_EQ(s.info->focus, kCancelButton);
  DialogMouseDown(s, Centre(s.info->optSPEED[3].rect));
  DialogMouseUp(s, Centre(s.info->optSPEED[3].rect));
  EXPECT_EQ(s.info->selected(), 3);
  DialogMouseDown(s, ok);
  DialogMouseUp(s, ok);
  EXPECT_FALSE(s.info);
  EXPECT_EQ(File(), " 3 \r\n");
}

}  // namespace
}  // namespace chu
