// A stand-in for the program's start-up as far as the skin goes: learn the
// program's folder, then ApplySkin with the number given as the one argument.
// The argument "none" skips the skin, to measure a start-up without it.
#include <cstdlib>
#include <cstring>

#include "platform/process/program_directory.h"
#include "skin/apply_skin.h"

int main(int argc, char** argv) {
  LearnProgramDirectory();
  if (argc > 1 && std::strcmp(argv[1], "none") == 0) return 0;
  ApplySkin(argc > 1 ? std::atoi(argv[1]) : 11);
  return 0;
}
