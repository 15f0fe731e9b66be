// The 70 clip players and the clip chain: a new clip starts only when the one
// started last reports that it has stopped.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"
#include "state/race_state.h"

namespace chu {

struct Saver;

using ClipBank = std::array<std::unique_ptr<platform::Player>, kClips>;

// Clip k plays Wave/WaveNN.Wav, NN = k in two digits.
std::string ClipFileName(int k);
// At start-up: give every clip player its file and open it.
void OpenClips(Saver& s);
// Before every race: rewind all 70.
void RewindClips(Saver& s);
// At the end: close all 70, in ascending order.
void CloseClips(Saver& s);
// Rewinds the clip started last, makes n the clip started last and starts it.
void PlayClip(Saver& s, int n);
// True when the clip started last reports the stopped mode.
bool ClipFinished(const Saver& s);
// Direct playback of Wave/<name>.Wav, waiting for its end or not.
void PlayWave(Saver& s, std::string_view name, bool wait);

// Opens a music player on the piece <stem><digit>.Mid of the Midi folder and plays it.
std::unique_ptr<platform::Player> StartMusic(Saver& s, std::string_view stem, int digit);

}  // namespace chu
