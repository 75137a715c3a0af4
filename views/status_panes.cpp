// The pane layout of the status (main) window: 41 panes at fixed places, the left edges spread
// over a wide status window when the status-layout option is on.
#include "app/editwnd.h"
#include "views/view_services.h"

const StatusPane StatusPaneTable[STATUS_PANE_COUNT] = {
    {192, 0, 356, 64}, {192, 64, 356, 16}, {552, 64, 16, 16}, {552, 8, 16, 32},  {568, 8, 16, 16},
    {568, 24, 16, 16}, {552, 48, 32, 16},  {568, 64, 16, 16}, {696, 0, 15, 16},  {712, 0, 15, 16},
    {728, 0, 15, 16},  {744, 0, 15, 16},   {760, 0, 15, 16},  {696, 16, 15, 16}, {712, 16, 15, 16},
    {728, 16, 15, 16}, {744, 16, 15, 16},  {696, 32, 15, 16}, {712, 32, 15, 16}, {728, 32, 15, 16},
    {744, 32, 15, 16}, {760, 32, 15, 16},  {0, 8, 56, 16},    {56, 8, 112, 16},  {0, 24, 96, 16},
    {0, 40, 168, 16},  {0, 56, 56, 16},    {64, 56, 112, 16}, {728, 56, 24, 16}, {608, 8, 32, 16},
    {608, 32, 32, 16}, {608, 56, 32, 16},  {648, 8, 32, 16},  {648, 32, 32, 16}, {648, 56, 32, 16},
    {760, 16, 15, 16}, {772, 16, 23, 16},  {776, 0, 15, 16},  {776, 32, 15, 16}, {168, 4, 12, 24},
    {112, 24, 48, 16},
};

static int StatusClientWidth = 0;

void SetStatusClientWidth(int width) { StatusClientWidth = width > 0 ? width : 0; }

int GetStatusPaneRect(int pane, int* top, int* width, int* height) {
  if (pane < 0 || pane >= STATUS_PANE_COUNT) return -1;
  const StatusPane& p = StatusPaneTable[pane];
  if (top) *top = p.top;
  if (width) *width = p.width;
  if (height) *height = p.height;
  int w = StatusClientWidth;
  if (EditViews.statusLayoutWide && w >= 816) return (p.left * w - 16) / 800 + 8;
  return p.left;
}
