// Window side of the mouse cursors, one implementation per build (Win32: loaded cursor resources
// and the platform's cursor calls; native: records what would be shown, for the tests).
#pragma once
#include "app/cursor.h"

int CursorPlatformHasMouse();
int CursorPlatformLoad();             // loads the eleven own and four system cursors
void CursorPlatformFree();            // destroys the own cursors
void CursorPlatformShow(int cursor);  // CUR_...
// Fills the window-dependent part of q (everything but current and dragState); 0 when the
// window is gone.
int CursorPlatformQuery(WrapWindow window, CursorQuery* q, CursorBlockRectFn blockRect);

// Native build: what the tests steer.
struct CursorNativeState {
  int noMouse;
  int loads, frees;
  CursorQuery query;  // returned by the query
};
CursorNativeState* GetCursorNativeState();
