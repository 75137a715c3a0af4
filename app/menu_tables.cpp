// Caption tables of the edit windows' menus (menu resource 1).
#include "app/menu_tables.h"
#include "core/langtext.h"

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
    N(1,0,256, 1001), N(1,0,257, 1002), N(1,0,258, 1003), N(1,0,259, 1004),
    N(1,0,260, 1010), N(1,0,261, 1005), N(1,0,262, 1006), N(1,0,265, 1011),
    N(1,0,266, 1009),
    N(1,8,480, 1120), N(1,8,481, 1121),
    N(2,0,304, 1021), N(2,0,305, 1022), N(2,0,307, 1024), N(2,0,308, 1025),
    N(2,0,309, 1037), N(2,0,310, 1038), N(2,0,311, 1026), N(2,0,312, 1027),
    N(2,0,313, 1028), N(2,0,314, 1029), N(2,0,315, 1030), N(2,0,316, 1039),
    N(2,0,317, 1031), N(2,0,318, 1032), N(2,0,319, 1040), N(2,0,320, 1033),
    N(2,0,321, 1034), N(2,0,322, 1035), N(2,0,323, 1036),
    N(2,3,325, 1181), N(2,3,326, 1182), N(2,3,327, 1183), N(2,3,328, 1184),
    N(2,3,329, 1185), N(2,3,330, 1186), N(2,3,331, 1187),
    N(3,0,336, 1220), N(3,0,337, 1221), N(3,0,340, 1226), N(3,0,341, 1227),
    N(3,0,342, 1228),
    N(3,0,344, 1230), N(3,0,345, 1231), N(3,0,346, 1232),
    N(3,0,347, 1233), N(3,0,348, 1234), N(3,0,349, 1235),
    N(3,0,350, 1236), N(3,0,351, 1237), N(3,0,352, 1238),
    N(3,0,353, 1239), N(3,0,354, 1240), N(3,0,355, 1241),
    N(3,0,356, 1242), N(3,0,357, 1243), N(3,0,358, 1244),
    N(3,0,359, 1245),
    N(4,0,368, 1101), N(4,0,369, 1102), N(4,0,370, 1103), N(4,0,371, 1104),
    N(4,0,372, 1105), N(4,0,373, 1106), N(4,0,374, 1107), N(4,0,375, 1108),
    N(4,0,376, 1109), N(4,0,377, 1110),
    N(5,0,385, 1043), N(5,0,386, 1044), N(5,0,387, 1045), N(5,0,388, 1046),
    N(5,0,389, 1057), N(5,0,390, 1048), N(5,0,391, 1055), N(5,0,392, 1049),
    N(5,0,393, 1050), N(5,0,394, 1051), N(5,0,395, 1056), N(5,0,396, 1054),
    N(5,7,432, 1162), N(5,7,433, 1164),
    N(5,13,448, 1201), N(5,13,449, 1202), N(5,13,450, 1204), N(5,13,451, 1203),
    N(5,14,464, 1140), N(5,14,465, 1141), N(5,14,466, 1142),
    N(6,0,400, 1081), N(6,0,401, 1082), N(6,0,402, 1083), N(6,0,403, 1084),
    N(6,0,404, 1085),
    N(7,0,417, 1062), N(7,0,418, 1060), N(7,0,419, 1063), N(7,0,420, 1064),
    N(7,0,421, 1066), N(7,0,422, 1067), N(7,0,423, 1068), N(7,0,424, 1069),
    N(7,0,425, 1070), N(7,0,426, 1071), N(7,0,427, 1072), N(7,0,428, 1073),
    N(7,0,429, 1074), C(7,0,430, 1075),
};
// Toggled captions: the state shown when a window is made (the menu's opening sets them anew).
static const MenuCommandCaption kToggles[] = {
    N(3,0,338, 1222), N(3,0,339, 1225), N(5,0,384, 1042), N(6,0,405, 1086),
    N(6,0,406, 1088),
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
