// The edit-window table: the one global EditViews, slot checks and the table-only operations
// (reset, find, count) shared by both builds.
#include "app/editwnd.h"
#include <cstring>

EditViewTable EditViews;

int IsEditSlot(int n)
{
    return n >= 0 && n < EDIT_SLOTS;
}

EditViewSlot* GetEditSlot(int n)
{
    return IsEditSlot(n) ? &EditViews.slot[n] : nullptr;
}

void ResetEditWindows()
{
    for (int i = 0; i < EDIT_SLOTS; i++) {
        EditViewSlot* s = &EditViews.slot[i];
        s->window = nullptr;
        s->showState = 1;
        if (!s->savedRect[0] && !s->savedRect[1] && !s->savedRect[2] && !s->savedRect[3])
            s->savedRect[0] = -1;   // never placed: no saved rectangle
        if (s->viewMode < 1 || s->viewMode > 3) {
            s->viewMode = 1;
            s->zoom = 1;
        }
    }
    EditViews.active = -1;
    EditViews.lastUsed = -1;
    EditViews.followed = -1;
    if (EditViews.frameRate < 1 || EditViews.frameRate > 60) {
        EditViews.frameRate = 25;
        EditViews.frameInterval = 30;
    }
}

int FindEditWindow(void* window)
{
    if (!window) return -1;
    for (int i = 0; i < EDIT_SLOTS; i++)
        if (EditViews.slot[i].window == window) return i;
    return -1;
}

int CountEditWindows()
{
    int n = 0;
    for (int i = 0; i < EDIT_SLOTS; i++)
        if (EditViews.slot[i].window) n++;
    return n;
}

int FirstFreeEditSlot()
{
    for (int i = 0; i < EDIT_SLOTS; i++)
        if (!EditViews.slot[i].window) return i;
    return -1;
}
