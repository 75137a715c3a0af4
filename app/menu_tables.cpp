// Caption tables of the edit windows' menus (menu resource 1).
#include "app/menu_tables.h"
#include "core/langtext.h"
#include "../resources/menus.h"

static const MenuPopupCaption kPopups[] = {
    {MenuPos(0, 1), LANG_ID(901), 40001},   {MenuPos(0, 2), LANG_ID(902), 40002},
    {MenuPos(0, 3), LANG_ID(907), 40003},   {MenuPos(0, 4), LANG_ID(904), 40004},
    {MenuPos(0, 5), LANG_ID(905), 40006},   {MenuPos(0, 6), LANG_ID(903), 40007},
    {MenuPos(0, 7), LANG_ID(906), 40005},   {MenuPos(2, 3), LANG_ID(1023), 40014},
    {MenuPos(5, 7), LANG_ID(1047), 40013},  {MenuPos(5, 13), LANG_ID(1052), 40015},
    {MenuPos(5, 14), LANG_ID(1053), 40012}, {MenuPos(1, 8), LANG_ID(1007), 40011},
};

// Menu captions are set without a menu-bar redraw (bit 0x8000 of the text id); the last caption
// of the bar is set with one.
// clang-format off
#define C(sub, item, cmd, text) {MenuPos(sub, item), cmd, LANG_ID(text)}
#define N(sub, item, cmd, text) {MenuPos(sub, item), cmd, LANG_ID(text) | MENU_TEXT_NO_REDRAW}
static const MenuCommandCaption kCommands[] = {
    N(1,0,CMD_NEW_NETWORK, 1001), N(1,0,CMD_OPEN, 1002), N(1,0,CMD_SAVE, 1003), N(1,0,CMD_SAVE_AS, 1004),
    N(1,0,CMD_IMPORT_DRAWING_SCRIPT, 1010), N(1,0,CMD_EXPORT_TEXT_TABLE, 1005), N(1,0,CMD_EXPORT_PICTURE, 1006), N(1,0,CMD_PASSWORD, 1011),
    N(1,0,CMD_QUIT, 1009),
    N(1,8,CMD_SYMBOL_FILES, 1120), N(1,8,CMD_VEHICLE_GRAPHIC_FILES, 1121),
    N(2,0,CMD_SYMBOL_CHOICE, 1021), N(2,0,CMD_EDIT_LINES, 1022), N(2,0,CMD_GENERAL_INFORMATION, 1024), N(2,0,CMD_TEXT_ELEMENT, 1025),
    N(2,0,CMD_POSITION_INFO_TEXT, 1037), N(2,0,CMD_ELEMENT_SETTINGS, 1038), N(2,0,CMD_STORED_POSITIONS, 1026), N(2,0,CMD_GO_TO_POSITION, 1027),
    N(2,0,CMD_BACK, 1028), N(2,0,CMD_FORWARD, 1029), N(2,0,CMD_WHOLE_NETWORK, 1030), N(2,0,CMD_CONVERT_TRACK_KIND, 1039),
    N(2,0,CMD_RANDOM_BLOCK, 1031), N(2,0,CMD_MOVE_BLOCK, 1032), N(2,0,CMD_COPY_BLOCK_TO_PLACE, 1040), N(2,0,CMD_CUT_BLOCK, 1033),
    N(2,0,CMD_COPY_BLOCK, 1034), N(2,0,CMD_PASTE_BLOCK, 1035), N(2,0,CMD_DELETE_BLOCK, 1036),
    N(2,3,CMD_TEXT, 1181), N(2,3,CMD_SYMBOL, 1182), N(2,3,CMD_SEARCH_AGAIN, 1183), N(2,3,CMD_SIGNAL_INSTALLATION, 1184),
    N(2,3,CMD_SWITCH, 1185), N(2,3,CMD_NEXT_INFO_TEXT, 1186), N(2,3,CMD_NEXT_LOG_POINT, 1187),
    N(3,0,CMD_ZOOM_IN, 1220), N(3,0,CMD_ZOOM_OUT, 1221), N(3,0,CMD_VIEW_OPTIONS, 1226), N(3,0,CMD_LEVEL_UP, 1227),
    N(3,0,CMD_LEVEL_DOWN, 1228),
    N(3,0,CMD_VIEW_FIRST, 1230), N(3,0,CMD_SYMBOLS_6_1, 1231), N(3,0,CMD_SYMBOLS_4_1, 1232),
    N(3,0,CMD_SYMBOLS_2_1, 1233), N(3,0,CMD_SYMBOLS_1_1, 1234), N(3,0,CMD_LINE_DIAGRAM_1_2, 1235),
    N(3,0,CMD_LINE_DIAGRAM_1_4, 1236), N(3,0,CMD_LINE_DIAGRAM_1_8, 1237), N(3,0,CMD_LINE_DIAGRAM_1_16, 1238),
    N(3,0,CMD_OVERVIEW_1_32, 1239), N(3,0,CMD_OVERVIEW_1_64, 1240), N(3,0,CMD_OVERVIEW_1_128, 1241),
    N(3,0,CMD_OVERVIEW_1_256, 1242), N(3,0,CMD_OVERVIEW_1_512, 1243), N(3,0,CMD_OVERVIEW_1_1024, 1244),
    N(3,0,CMD_VIEW_LAST, 1245),
    N(4,0,CMD_NEW_TRAIN, 1101), N(4,0,CMD_TRAIN_LIST, 1102), N(4,0,CMD_EDIT_TRAIN, 1103), N(4,0,CMD_DELETE_TRAIN, 1104),
    N(4,0,CMD_START_TRAINS, 1105), N(4,0,CMD_STOP_TRAINS, 1106), N(4,0,CMD_LIST_OPTIONS, 1107), N(4,0,CMD_VEHICLE_SETS, 1108),
    N(4,0,CMD_VEHICLE_GRAPHICS, 1109), N(4,0,CMD_FOLLOW_TRAIN, 1110),
    N(5,0,CMD_CLOCK_SETTINGS, 1043), N(5,0,CMD_SIMULATION_TIME, 1044), N(5,0,CMD_STOP_TIME, 1045), N(5,0,CMD_SIMULATION_PARAMETERS, 1046),
    N(5,0,CMD_BACKGROUND_PICTURE, 1057), N(5,0,CMD_SETTINGS_OPTIONS, 1048), N(5,0,CMD_FONTS, 1055), N(5,0,CMD_MORE_OPTIONS, 1049),
    N(5,0,CMD_PICTURE_EXPORT_OPTIONS, 1050), N(5,0,CMD_TEXT_EXPORT_OPTIONS, 1051), N(5,0,CMD_LOG_SETTINGS, 1056), N(5,0,CMD_SAVE_SETTINGS_NOW, 1054),
    N(5,7,CMD_COLOURS, 1162), N(5,7,CMD_TIMES_OF_DAY, 1164),
    N(5,13,CMD_TRAINS, 1201), N(5,13,CMD_SIGNALS, 1202), N(5,13,CMD_STOPS, 1204), N(5,13,CMD_OTHERS, 1203),
    N(5,14,CMD_LANGUAGE_FILE, 1140), N(5,14,CMD_SECOND_LANGUAGE_FILE, 1141), N(5,14,CMD_HELP_FILE, 1142),
    N(6,0,CMD_NEW_WINDOW, 1081), N(6,0,CMD_CLOSE_WINDOW, 1082), N(6,0,CMD_NEXT_WINDOW, 1083), N(6,0,CMD_PREVIOUS_WINDOW, 1084),
    N(6,0,CMD_ARRANGE, 1085),
    N(7,0,CMD_STATUS_INFO, 1062), N(7,0,CMD_CONTENTS, 1060), N(7,0,CMD_MENU_HELP, 1063), N(7,0,CMD_HELP_INDEX, 1064),
    N(7,0,CMD_INFO_DEPOTS, 1066), N(7,0,CMD_INFO_LINES, 1067), N(7,0,CMD_INFO_TP_ELEMENTS, 1068), N(7,0,CMD_INFO_DWX_ELEMENTS, 1069),
    N(7,0,CMD_INFO_SIGNAL_INSTALLATIONS, 1070), N(7,0,CMD_INFO_SIGNAL_ELEMENTS, 1071), N(7,0,CMD_INFO_SWITCHES, 1072), N(7,0,CMD_INFO_ROUTE_POINTS, 1073),
    N(7,0,CMD_INFO_LOG_POINTS, 1074), C(7,0,CMD_INFO_EVENT_DISPLAY, 1075),
};
// Toggled captions: the state shown when a window is made (the menu's opening sets them anew).
static const MenuCommandCaption kToggles[] = {
    N(3,0,CMD_DISPLAY_SWITCH_ON, 1222), N(3,0,CMD_SHOW_SCROLL_BARS, 1225), N(5,0,CMD_START_SIMULATION, 1042), N(6,0,CMD_STATUS_LAYOUT, 1086),
    N(6,0,CMD_CLOCK, 1088),
};
#undef C
#undef N
// clang-format on

const MenuPopupCaption* GetMenuPopupCaptions(int* count) {
  *count = (int)(sizeof kPopups / sizeof kPopups[0]);
  return kPopups;
}

const MenuCommandCaption* GetMenuCommandCaptions(int* count) {
  *count = (int)(sizeof kCommands / sizeof kCommands[0]);
  return kCommands;
}

const MenuCommandCaption* GetMenuToggleCaptions(int* count) {
  *count = (int)(sizeof kToggles / sizeof kToggles[0]);
  return kToggles;
}

uint32_t MenuHelpIdAt(uint16_t position) {
  for (const MenuPopupCaption& p : kPopups)
    if (p.position == position) return p.helpId;
  return 0;
}

uint32_t MenuCaptionOf(int commandId) {
  for (const MenuCommandCaption& c : kCommands)
    if (c.commandId == commandId) return c.textId & ~MENU_TEXT_NO_REDRAW;
  for (const MenuCommandCaption& c : kToggles)
    if (c.commandId == commandId) return c.textId & ~MENU_TEXT_NO_REDRAW;
  return 0;
}
