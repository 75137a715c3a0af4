// Start-up's part of the layering: the core and the document reach the dialogs, windows, info
// boxes, recent files, trains and element families only through hooks, and this fills them.
#pragma once

// Fills the hooks of the message functions, the progress boxes and the document, and puts the
// switches and trains into the network file's tables. Called by start-up (and by the test
// programs, which stand in for it).
void SetLayerHooks();

// Build-specific parts: the main window (null natively), and the edit window's scroll bars to
// its cursor (nothing natively).
void* LayerMainWindow();
void LayerScrollBarsToCursor(int slot);
