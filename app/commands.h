// The one table of command ids: every menu command, accelerator and context-menu item reaches its
// action here. A row without an action is a command whose component is not built yet: its menu
// items are greyed and choosing it does nothing. Also the pick mode of the palette and the
// epilogue every dispatcher (commands, keys, clicks) runs.
#pragma once
#include <cstdint>

typedef void (*CommandAction)(int id);
typedef int (*CommandCondition)(int slot);  // 1 enabled for that edit window

struct CommandRow {
  uint16_t first, last;        // the ids of the row
  CommandAction action;        // null: not built, greyed
  CommandCondition condition;  // null: always enabled when it has an action
};

// The row of an id, null when no command has that id.
const CommandRow* FindCommandRow(int id);
const CommandRow* GetCommandRows(int* count);

// Window operations of the frame (create, close, activate, zoom, view modes, scroll bars, status
// layout, clock window, quit); set at start-up by the Win32 frame. Null: these commands do
// nothing.
extern int (*FrameWindowCommand)(int id);

// Ends pick mode, runs the command's action and the dispatcher's epilogue.
void HandleMenuCommand(int id);
// 1 for a command that frees, moves or replaces trains or clears the network: while a simulation
// step runs (it may wait in a modal question) such a command is greyed and refused.
int IsCommandRefusedDuringStep(int id);
// 1 when the command has an action and its condition holds for the edit window slot.
int IsCommandEnabled(int id, int slot);
// The caption text of a command whose caption toggles (338, 339, 384, 405, 406) for the slot;
// clockOpen tells whether the clock window is open. 0 for other ids.
uint32_t ToggledCaption(int id, int slot, int clockOpen);

// Palette pick mode: BeginPickMode shows the pick cursor and sets the flag, EndPickMode clears it.
void BeginPickMode();
void EndPickMode();
int IsPickPending();

// The end of every dispatcher: redraw the status indicators, and when grid blocks were allocated
// or freed, refresh the train positions' cell pointers and clear the flag.
void DispatchEpilogue();
