// RaceSpeed.Dat: the one setting, a speed index 0 to 4 on the file's first line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chu {

inline constexpr int kDefaultSpeedIndex = 2;
// The race timer's interval as designed, kept when the file holds a number
// that is no speed.
inline constexpr int kDesignInterval = 50;
inline constexpr const char* kSpeedFileName = "RaceSpeed.Dat";

// The option captions of the dialog, by speed index.
inline constexpr const char* kSpeedCaptions[5] = {"スペックの限界に挑戦", "かなり速め", "普通の速度",
                                                 "ちょっとのんびり", "限界の遅さ"};

// The first number of the text: leading blanks and line breaks skipped, ended
// by a blank, a comma or the end of the line. Nothing when there is no number,
// when the first item is not a number, or when it does not fit 16 bits.
std::optional<int> ParseSpeed(std::string_view text);

// Reads the file in the program folder; nothing when the read fails.
std::optional<int> ReadSpeedFile(std::string_view folder);
// The dialog's form: " 3 " and a line break.
void WriteSpeedFile(std::string_view folder, int speedIndex);
// The repair: "2" and a line break.
void RepairSpeedFile(std::string_view folder);

// Milliseconds between race ticks for a readable value.
int IntervalForSpeed(int value);
// The race window's reading: the interval, repairing an unreadable file.
int ReadRaceInterval(std::string_view folder);

}  // namespace chu
