// The event handlers bound in the window tables.
#pragma once

// MainWindow, created: runs before the window first shows.
void OnMainWindowCreated();
// MainWindow, 按钮1, clicked: the download command.
void OnDownloadClicked();
// MainWindow, 按钮3, clicked: empties and focuses the link box.
void OnClearClicked();
// MainWindow, 按钮2, clicked: shows the tutorial; returns once it is gone.
void OnTutorialClicked();
// TutorialWindow, 按钮1, clicked: closes the tutorial once this handler has returned.
void OnTutorialOkClicked();
