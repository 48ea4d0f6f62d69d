// The shell's own event handlers: clearing the link box and the tutorial.
#include "app/gui_operations.h"
#include "app/handlers.h"

void OnClearClicked() {
  SetControlText("MainWindow", "编辑框1", Text());
  SetControlFocus("MainWindow", "编辑框1");
}

void OnTutorialClicked() { OpenWindowModal("TutorialWindow"); }

void OnTutorialOkClicked() { CloseWindow("TutorialWindow"); }
