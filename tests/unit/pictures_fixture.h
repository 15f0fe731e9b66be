// A saver run on the headless machine for the picture tests: its own folder,
// the built-in pictures, and (when a test asks) the real fonts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "assets/assets.h"
#include "platform/fonts/ttf_text.h"
#include "platform/virtual/virtual_machine.h"
#include "startup/saver.h"
#include "support/temp_folder.h"

namespace chu::pictures_test {

using testsupport::TempFolder;

// The fonts, opened once for all tests (they need the IPA fonts installed).
inline const fonts::TtfTextRenderer& Fonts() {
  static const std::unique_ptr<fonts::TtfTextRenderer> renderer = [] {
    std::string error;
    auto r = fonts::TtfTextRenderer::Create(error);
    if (!r) throw std::runtime_error(error);
    return r;
  }();
  return *renderer;
}

// One saver, started and brought to a freshly loaded race window: the card
// is drawn at 12:00:59, so the race starts a second later.
struct RaceRun {
  explicit RaceRun(const platform::TextRenderer* text = nullptr, const Assets& assets = BuiltInAssets())
      : vm(Options()), platform(vm.platformFor(folder.str(), text)), saver(platform, assets, 7) {
    Main(saver, "/s");
    for (int budget = 1000; !saver.race && budget > 0 && vm.step(saver); --budget) {
    }
    if (!saver.race) throw std::runtime_error("the race window never loaded");
  }
  static virt::Options Options() {
    virt::Options o;
    o.start = {12, 0, 59};
    o.clipMs = 0;
    return o;
  }
  const platform::Picture& view() const { return saver.race->course.image(); }

  TempFolder folder;
  virt::VirtualMachine vm;
  platform::Platform platform;
  Saver saver;
};

// What a masked copy leaves on `under`: AND with the mask, then OR with the image.
inline std::uint32_t Masked(std::uint32_t under, std::uint32_t mask, std::uint32_t image) {
  return (under & mask) | image;
}

}  // namespace chu::pictures_test
