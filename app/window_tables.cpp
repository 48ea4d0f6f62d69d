// The list of window tables and the frame arithmetic shared by all windows.
#include "app/window_tables.h"

const WindowDefinition& MainWindowTable();
const WindowDefinition& TutorialWindowTable();

Box ClientArea(const WindowDefinition& window) {
  return {0, 0, window.outerWidth - kFrameAllowance.left - kFrameAllowance.right,
          window.outerHeight - kFrameAllowance.top - kFrameAllowance.bottom};
}

const std::vector<const WindowDefinition*>& WindowDefinitions() {
  static const std::vector<const WindowDefinition*> all{&MainWindowTable(), &TutorialWindowTable()};
  return all;
}

const WindowDefinition* FindWindowDefinition(const Text& name) {
  for (const WindowDefinition* window : WindowDefinitions()) {
    if (name == window->name) return window;
  }
  return nullptr;
}
