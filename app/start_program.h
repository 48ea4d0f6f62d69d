// The program's entry into its own logic.
#pragma once

// Starts the GUI layer, registers the exit handler, runs the module initialisers,
// opens MainWindow and runs the message loop. Returns 0 once the last window of
// the program is gone.
int StartProgram();
