# The race logic never includes a platform library or reads a clock, and its
# randomness comes only from the one injected generator.
set(forbidden
  "#include <SDL" "#include \"SDL" "#include <windows.h>" "#include <unistd.h>"
  "#include <chrono>" "#include <ctime>" "#include <time.h>" "#include <random>"
  "std::rand" "srand(" "time(nullptr)" "time(NULL)" "std::chrono" "random_device")
set(bad "")
foreach(dir state startup shell settings card race sim sound assets)
  file(GLOB_RECURSE files "${SRC}/${dir}/*.h" "${SRC}/${dir}/*.cpp")
  foreach(f ${files})
    file(READ "${f}" text)
    foreach(word ${forbidden})
      string(FIND "${text}" "${word}" at)
      if(NOT at EQUAL -1)
        list(APPEND bad "${f}: ${word}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "impure logic:\n${bad}")
endif()
