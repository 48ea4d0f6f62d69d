// What happens while MainWindow is being created, before it first shows.
#include "app/handlers.h"
#include "skin/apply_skin.h"

// The program always wears skin 11; there is no choice to offer.
void OnMainWindowCreated() { ApplySkin(11); }
