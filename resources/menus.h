// Resource ids of the edit windows' menu bar (menu 1), the context menu (menu 2) and the
// accelerator table; shared by the resource script and the code.
#pragma once

#define MENU_EDIT_WINDOW 1
#define MENU_CONTEXT     2
#define ACCEL_TABLE_NAME "R27KACC"

#define CMD_OPEN             257
#define CMD_SAVE             258
#define CMD_SAVE_AS          259
#define CMD_PASSWORD         265
#define CMD_QUIT             266
#define CMD_RECENT_FIRST     272
#define CMD_RECENT_LAST      303
#define CMD_TEXT_ELEMENT     308
#define CMD_STORED_POSITIONS 311
#define CMD_GO_TO_POSITION   312
#define CMD_CUT_BLOCK        320
#define CMD_COPY_BLOCK       321
#define CMD_PASTE_BLOCK      322
#define CMD_DELETE_BLOCK     323
#define CMD_ZOOM_IN          336
#define CMD_ZOOM_OUT         337
#define CMD_VIEW_FIRST       344
#define CMD_VIEW_LAST        359
#define CMD_NEW_WINDOW       400
#define CMD_CLOSE_WINDOW     401
#define CMD_NEXT_WINDOW      402
#define CMD_PREVIOUS_WINDOW  403
#define CMD_ARRANGE          404
#define CMD_STATUS_LAYOUT    405
#define CMD_CLOCK            406
#define CMD_ACTIVATE_STATUS  512
#define CMD_ACTIVATE_FIRST   513
