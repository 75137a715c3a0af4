// The caption tables of the edit windows' menus: popup captions with their help ids, command
// captions by submenu, and the lookups built on them (help id of a popup, caption of a command).
#pragma once
#include <cstdint>

// Menu position code: high byte = index + 1 of the submenu of the menu bar (0 = the bar itself),
// low byte = position + 1 of the item in it.
constexpr uint16_t MenuPos(int submenu, int item) { return (uint16_t)((submenu << 8) | item); }

// Bit of a menu text id that suppresses the menu-bar redraw; the language text is id & 0x7FFF.
constexpr uint32_t MENU_TEXT_NO_REDRAW = 0x8000;

struct MenuPopupCaption {
  uint16_t position;  // where the popup sits
  uint32_t textId;
  uint32_t helpId;
};
struct MenuCommandCaption {
  uint16_t position;  // the submenu that holds the command (low byte 0: a bar submenu)
  uint16_t commandId;
  uint32_t textId;  // with MENU_TEXT_NO_REDRAW: set without a menu-bar redraw
};

const MenuPopupCaption* GetMenuPopupCaptions(int* count);      // the 12 popups
const MenuCommandCaption* GetMenuCommandCaptions(int* count);  // every fixed command caption
// The initial captions of the commands whose caption toggles when the menu opens.
const MenuCommandCaption* GetMenuToggleCaptions(int* count);

// Help id of a popup at a position code, 0 when it is not one of the known popups.
uint32_t MenuHelpIdAt(uint16_t position);
// The caption text id of a command id, 0 when the command has no fixed caption.
uint32_t MenuCaptionOf(int commandId);
