// HTML help: the help file name, help topics opened for help ids from menus, keys, dialogs and
// messages, and the table that maps help ids onto shared topics.
#pragma once
#include <cstdint>

// Help ids with a meaning of their own in ShowHelpTopic.
constexpr uint32_t HELPID_INDEX = 1;        // open the help index
constexpr uint32_t HELPID_TRACE = 3;        // show the trace text "HLP F11?"
constexpr uint32_t HELPID_MENU = 5;         // help of the open menu
constexpr uint32_t HELPID_CLOSE_ALL = 6;    // close all help windows
constexpr uint32_t HELPID_NO_MENU = 40050;  // topic id when no menu is open

int InitHtmlHelp();  // initialises HTML Help (at the first real call); returns 1
void ExitHtmlHelp();

// Offers a message of the main loop to the help viewer's pre-translation (command 253);
// 1 when the viewer took it. Before the viewer is bound no help window exists, so nothing is
// offered and the library stays unbound.
int OfferMessageToHelp(const void* message);

// Opens the help of an id; returns the result of the help call (0 for ids 3 and failures).
intptr_t ShowHelpTopic(uint32_t id);
// The mapped topic, or the id itself when it is not in the table.
uint32_t GetHelpTopicForId(uint32_t id);

// The help file name (option "Hilfe"), looked for in the program folder; default "quil.chm".
const char16_t* GetHelpFileName();
int SetHelpFileName(const char16_t* name);  // 0, or 1 for null, empty or longer than 512
// The menu-open value used in the native build (the Win32 build asks the menus).
extern uint32_t HelpMenuOpenId;

// ---- portable request building ---------------------------------------------------------------------
constexpr int HELP_PATH_MAX = 260;
// What ShowHelpTopic asks of the help viewer for an id.
enum : int { HELP_ACT_CLOSE = 1, HELP_ACT_TRACE = 2, HELP_ACT_INDEX = 3, HELP_ACT_TOPIC = 4 };
struct HelpRequest {
  int action;                         // HELP_ACT_...
  char16_t path[HELP_PATH_MAX + 32];  // help file path, with ">ViewerIndexOn/Off" when it fits
  char16_t topic[32];                 // "html\%05i.htm" for HELP_ACT_TOPIC
  uint32_t topicId;
};
// Fills req for id with the given program folder (ends with '\'); 0, or 1 when the path is too
// long to be used at all.
int BuildHelpRequest(uint32_t id, const char16_t* programFolder, uint32_t menuOpenId,
                     HelpRequest* req);
