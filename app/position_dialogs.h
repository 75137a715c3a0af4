// The editors of what belongs to a grid position rather than to its symbol: the info text of a
// cell (dialog 44) and the log point at a cell (dialog 45).
#pragma once

// Shows and edits the info text of the position; noFocus non-zero opens the dialog without a
// preset focus (element dialogs and the menu), zero with the focus on Cancel.
void EditPositionInfo(int x, int y, int level, int noFocus);
// The log-point settings of the position: name, event flags and directions.
void EditElementSettings(int x, int y, int level);
