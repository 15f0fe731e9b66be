#include "sound/clips.h"

#include "startup/saver.h"

namespace chu {

using platform::MciCommand;

std::string ClipFileName(int k) {
  std::string name = "Wave/Wave";
  name += static_cast<char>('0' + k / 10);
  name += static_cast<char>('0' + k % 10);
  name += ".Wav";
  return name;
}

void OpenClips(Saver& s) {
  for (int k = 0; k < kClips; ++k) {
    s.clips[k] = s.platform.audio.createPlayer(platform::DeviceType::WaveAudio);
    s.clips[k]->setFileName(platform::ProgramPath(s.platform.folder, ClipFileName(k)));
    s.clips[k]->command(MciCommand::Open);
  }
}

void RewindClips(Saver& s) {
  for (auto& clip : s.clips)
    if (clip) clip->command(MciCommand::Prev);
}

void CloseClips(Saver& s) {
  for (auto& clip : s.clips)
    if (clip) clip->command(MciCommand::Close);
}

void PlayClip(Saver& s, int n) {
  if (n < 0 || n >= kClips) return;
  if (auto& last = s.clips[s.state.clipNo]) last->command(MciCommand::Prev);
  s.state.clipNo = n;
  if (s.observer != nullptr) s.observer->onClip(s, n);
  if (auto& clip = s.clips[n]) clip->command(MciCommand::Play);
}

bool ClipFinished(const Saver& s) {
  const auto& clip = s.clips[s.state.clipNo];
  // A bank that was never opened has nothing playing.
  return !clip || clip->mode() == platform::kModeStopped;
}

void PlayWave(Saver& s, std::string_view name, bool wait) {
  if (s.observer != nullptr) s.observer->onSound(s, name, wait);
  std::string relative = "Wave/";
  relative += name;
  relative += ".Wav";
  s.platform.audio.playSound(platform::ProgramPath(s.platform.folder, relative), wait);
}

std::unique_ptr<platform::Player> StartMusic(Saver& s, std::string_view stem, int digit) {
  auto player = s.platform.audio.createPlayer(platform::DeviceType::Sequencer);
  std::string relative = "Midi/";
  relative += stem;
  relative += static_cast<char>('0' + digit);
  relative += ".Mid";
  player->setFileName(platform::ProgramPath(s.platform.folder, relative));
  player->command(MciCommand::Open);
  player->command(MciCommand::Play);
  return player;
}

}  // namespace chu
