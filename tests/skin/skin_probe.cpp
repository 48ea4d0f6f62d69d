// A stand-in for the program's start-up as far as the skin goes: learn the
// program's folder, then ApplySkin with the number given as the one argument.
#include <cstdlib>

#include "platform/process/program_directory.h"
#include "skin/apply_skin.h"

int main(int argc, char** argv) {
  LearnProgramDirectory();
  ApplySkin(argc > 1 ? std::atoi(argv[1]) : 11);
  return 0;
}
