// Start-up in its fixed order: GUI layer, exit handler, initialisers, window, loop.
#include "app/start_program.h"

#include "app/gui_layer.h"
#include "app/module_initialisers.h"
#include "app/song_state.h"

int InitialiseTextModule() { return 0; }
int InitialiseShellModule() { return 0; }

int StartProgram() {
  StartGuiLayer();
  RegisterExitHandler(ReleaseSongState);
  InitialiseTextModule();
  InitialiseShellModule();
  OpenStartWindow("MainWindow");
  RunMessageLoop();
  return 0;
}
