#include "platform/platform.h"

namespace chu::platform {

const char* commandName(MciCommand c) {
  switch (c) {
    case MciCommand::Open: return "Open";
    case MciCommand::Play: return "Play";
    case MciCommand::Stop: return "Stop";
    case MciCommand::Close: return "Close";
    case MciCommand::Prev: return "Prev";
  }
  return "";
}

std::string ProgramPath(std::string_view folder, std::string_view relative) {
  while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += relative;
  return path;
}

}  // namespace chu::platform
