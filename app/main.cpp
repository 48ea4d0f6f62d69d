// Mirovel: start-up, run, the normal end.
#include "app/gui_layer.h"
#include "app/start_program.h"

int main() { EndProgram(StartProgram()); }
