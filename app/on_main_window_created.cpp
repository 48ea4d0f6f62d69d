// What happens while MainWindow is being created, before it first shows.
#include "app/handlers.h"

void OnMainWindowCreated() {}
