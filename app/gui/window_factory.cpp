// Windows from their tables: frame allowance, centring, controls, created event.
#include "app/gui/window_factory.h"

#include <FL/Fl.H>

#include "app/gui/controls.h"
#include "platform/codepage/boundary.h"

TopWindow* CreateProgramWindow(const WindowDefinition& definition) {
  const Box client = ClientArea(definition);
  // Centre the outer frame; the client area sits inside it by the allowance.
  const int left = (Fl::w() - definition.outerWidth) / 2 + kFrameAllowance.left;
  const int top = (Fl::h() - definition.outerHeight) / 2 + kFrameAllowance.top;
  auto* window = new TopWindow(definition.name, left, top, client.width, client.height,
                               Cp936ToUtf8(definition.title), definition.minimiseBox);
  window->ignoresEnter = true;
  for (const ControlDefinition& control : definition.controls) CreateControl(window, control);
  window->end();
  RegisterTopWindow(window);
  if (definition.created) definition.created();
  return window;
}
