// The download button's command.
#include "app/handlers.h"

void OnDownloadClicked() {}
