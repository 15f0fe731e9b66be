// Writes the saver's music into a folder: Bgm0.Mid ... Bgm9.Mid (paddock) and
// In0.Mid ... In3.Mid (before the race).
//   chu-soundpack-midi DIR      write the files
//   chu-soundpack-midi --list   name, length and title of every piece
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tunes.h"

namespace {

using chu::soundpack::Piece;

bool WritePiece(const Piece& piece, const std::filesystem::path& dir) {
  const std::vector<std::uint8_t> bytes = chu::soundpack::RenderPiece(piece);
  const std::filesystem::path file = dir / (piece.name + ".Mid");
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::cerr << "chu-soundpack-midi: cannot write " << file.string() << '\n';
    return false;
  }
  return true;
}

template <typename Fn>
bool EachPiece(Fn fn) {
  bool ok = true;
  for (const auto* list : {&chu::soundpack::PaddockPieces(), &chu::soundpack::PreRacePieces()})
    for (const Piece& p : *list) ok = fn(p) && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: chu-soundpack-midi DIR | --list\n";
    return 2;
  }
  const std::string arg = argv[1];
  try {
    if (arg == "--list") {
      EachPiece([](const Piece& p) {
        std::printf("%-5s %5.1f s  %s\n", p.name.c_str(), chu::soundpack::PieceSeconds(p), p.title.c_str());
        return true;
      });
      return 0;
    }
    std::filesystem::create_directories(arg);
    return EachPiece([&](const Piece& p) { return WritePiece(p, arg); }) ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "chu-soundpack-midi: " << e.what() << '\n';
    return 1;
  }
}
