// Arithmetic of the edit windows without any window: cells from pixels, zoom steps, view menu
// ids, tiling, activation order, clock placement, frame rate and edge scrolling.
#include "app/editwnd_layout.h"
#include "../resources/menus.h"

int CellsFromPixels(uint32_t mode, int32_t zoom, int32_t w, int32_t h, int32_t* cellsWide,
                    int32_t* cellsHigh) {
  int32_t cw = 0, ch = 0;
  if (zoom < 1 || w < 0 || h < 0) {
    *cellsWide = 0;
    *cellsHigh = 0;
    return 1;
  }
  switch (mode) {
    case 1:
      cw = (w / zoom + 31) / 32;
      ch = (h / zoom + 15) / 16;
      break;
    case 2:
      cw = (w * zoom + 15) / 16;
      ch = (h * zoom + 15) / 16;
      break;
    case 3:
      cw = w * zoom;
      ch = h * zoom;
      break;
    default:
      *cellsWide = 0;
      *cellsHigh = 0;
      return 1;
  }
  *cellsWide = cw;
  *cellsHigh = ch;
  return 0;
}

static int IsPowerOfTwoUpTo(int32_t z, int32_t limit) {
  for (int32_t p = 1; p <= limit; p *= 2)
    if (z == p) return 1;
  return 0;
}

int IsValidViewZoom(uint32_t mode, int32_t zoom) {
  switch (mode) {
    case 1: return zoom == 1 || zoom == 2 || zoom == 4 || zoom == 6 || zoom == 8;
    case 2: return IsPowerOfTwoUpTo(zoom, 8);
    case 3: return IsPowerOfTwoUpTo(zoom, 64);
  }
  return 0;
}

int NextViewModeAndZoom(uint32_t curMode, int32_t curZoom, int m, int32_t z, uint32_t* newMode,
                        int32_t* newZoom) {
  if (m >= 1 && m <= 3 && (uint32_t)m == curMode && z == curZoom) return 2;
  if (m > 14) return 3;
  uint32_t mode = curMode;
  int32_t zoom = curZoom;
  if (m >= 1 && m <= 3) {
    if (!IsValidViewZoom((uint32_t)m, z)) return 4;
    mode = (uint32_t)m;
    zoom = z;
  } else if (m == 13) {
    if (curMode == 1) {
      if (curZoom >= 8) return 5;
      zoom = (curZoom == 4 || curZoom == 6) ? curZoom + 2 : curZoom * 2;
    } else if (curMode == 2) {
      if (curZoom <= 1) {
        mode = 1;
        zoom = 1;
      } else
        zoom = curZoom / 2;
    } else if (curMode == 3) {
      if (curZoom <= 1) {
        mode = 2;
        zoom = 8;
      } else
        zoom = curZoom / 2;
    } else {
      return 3;
    }
  } else if (m == 14) {
    if (curMode == 1) {
      if (curZoom <= 1) {
        mode = 2;
        zoom = 1;
      } else if (curZoom == 6 || curZoom == 8)
        zoom = curZoom - 2;
      else
        zoom = curZoom / 2;
    } else if (curMode == 2) {
      if (curZoom < 8)
        zoom = curZoom * 2;
      else {
        mode = 3;
        zoom = 1;
      }
    } else if (curMode == 3) {
      if (curZoom >= 64) return 5;
      zoom = curZoom * 2;
    } else {
      return 3;
    }
  } else {
    return 3;
  }
  *newMode = mode;
  *newZoom = zoom;
  return 0;
}

int ViewChangeMagnifies(uint32_t oldMode, int32_t oldZoom, uint32_t newMode, int32_t newZoom) {
  if (newMode < oldMode) return 1;
  if (newMode > oldMode) return 0;
  if (newMode == 1) return newZoom > oldZoom;
  return newZoom < oldZoom;
}

int32_t KeepCursorOrigin(int32_t origin, int32_t cursor, int32_t newSize, int32_t oldSize) {
  if (oldSize < 1) oldSize = 1;
  int64_t v = (int64_t)cursor + (int64_t)(origin - cursor) * newSize / oldSize;
  return (int32_t)v;
}

int32_t ClampOrigin(int32_t origin, int32_t size) {
  int32_t hi = 32768 - size;
  if (hi < 0) hi = 0;
  if (origin > hi) origin = hi;
  if (origin < 0) origin = 0;
  return origin;
}

int MenuIdForViewMode(uint32_t mode, int32_t zoom) {
  switch (mode) {
    case 1:
      switch (zoom) {
        case 1: return CMD_SYMBOLS_1_1;
        case 2: return CMD_SYMBOLS_2_1;
        case 4: return CMD_SYMBOLS_4_1;
        case 6: return CMD_SYMBOLS_6_1;
        case 8: return CMD_VIEW_FIRST;  // symbols 8:1
      }
      return -1;
    case 2:
      for (int i = 0, p = 1; i < 4; i++, p *= 2)
        if (zoom == p) return CMD_LINE_DIAGRAM_1_2 + i;
      return -1;
    case 3:
      for (int i = 0, p = 1; i < 7; i++, p *= 2)
        if (zoom == p) return CMD_OVERVIEW_1_32 + i;
      return -1;
  }
  return -1;
}

int ViewModeForMenuId(int id, uint32_t* mode, int32_t* zoom) {
  static const int32_t mode1[5] = {8, 6, 4, 2, 1};
  if (id >= CMD_VIEW_FIRST && id <= CMD_SYMBOLS_1_1) {
    *mode = 1;
    *zoom = mode1[id - CMD_VIEW_FIRST];
    return 0;
  }
  if (id >= CMD_LINE_DIAGRAM_1_2 && id <= CMD_LINE_DIAGRAM_1_16) {
    *mode = 2;
    *zoom = 1 << (id - CMD_LINE_DIAGRAM_1_2);
    return 0;
  }
  if (id >= CMD_OVERVIEW_1_32 && id <= CMD_VIEW_LAST) {
    *mode = 3;
    *zoom = 1 << (id - CMD_OVERVIEW_1_32);
    return 0;
  }
  return 1;
}

void ViewScale(uint32_t mode, int32_t zoom, uint32_t* a, uint32_t* b) {
  switch (mode) {
    case 1:
      *a = (uint32_t)zoom;
      *b = 1;
      return;
    case 2:
      *a = 1;
      *b = 2u * (uint32_t)zoom;
      return;
    case 3:
      *a = 1;
      *b = 32u * (uint32_t)zoom;
      return;
  }
  *a = 1;
  *b = 1;
}

static LayoutRect R(int32_t l, int32_t t, int32_t w, int32_t h) {
  LayoutRect r = {l, t, w, h};
  return r;
}

static int Thirds(int32_t left, int32_t top, int32_t W, int32_t h, LayoutRect* out) {
  int32_t t = W / 3, m = W - 2 * t - 1;
  out[0] = R(left, top, t, h);
  out[1] = R(left + t, top, m, h);
  out[2] = R(left + t + m, top, t, h);
  return 3;
}

int TileRects(int n, int32_t left, int32_t top, int32_t W, int32_t H, LayoutRect* out) {
  int32_t hw = W / 2, hh = H / 2;
  switch (n) {
    case 1: out[0] = R(left, top, W, H); return 1;
    case 2:
      out[0] = R(left, top, hw, H);
      out[1] = R(left + hw, top, hw, H);
      return 2;
    case 3: return Thirds(left, top, W, H, out);
    case 4:
      out[0] = R(left, top, hw, hh);
      out[1] = R(left + hw, top, hw, hh);
      out[2] = R(left, top + hh, hw, hh);
      out[3] = R(left + hw, top + hh, hw, hh);
      return 4;
    case 5:
      out[0] = R(left, top, hw, hh);
      out[1] = R(left + hw, top, hw, hh);
      Thirds(left, top + hh, W, hh, out + 2);
      return 5;
    case 6:
      Thirds(left, top, W, hh, out);
      Thirds(left, top + hh, W, hh, out + 3);
      return 6;
  }
  return 0;
}

void StatusWindowPlacement(int32_t workLeft, int32_t workWidth, int wideLayout, int32_t* x,
                           int32_t* width) {
  if (wideLayout) {
    *width = workWidth > 800 ? workWidth : 800;
    *x = workLeft;
  } else {
    *width = 800;
    int32_t v = workLeft + (workWidth - 800) / 2;
    *x = v > 0 ? v : 0;
  }
}

int ActivationTarget(int request, int active, int lastUsed, const int present[6]) {
  int target;
  if (request >= 0) {
    if (request > 5) return -99;  // no such slot: nothing happens
    target = request;
  } else if (request == -1) {
    target = -1;
  } else if (request == -2) {
    target = -1;
    for (int i = (active < -1 ? -1 : active) + 1; i <= 5; i++)
      if (present[i]) {
        target = i;
        break;
      }
  } else if (request == -3) {
    int i = active - 1;
    if (active < 0 || active > 5) i = 5;
    target = -1;
    for (; i >= 0; i--)
      if (present[i]) {
        target = i;
        break;
      }
  } else if (request == -4) {
    if (active != -1) return -99;
    target = -99;
    if (lastUsed >= 0 && lastUsed <= 5 && present[lastUsed]) {
      target = lastUsed;
    } else {
      for (int i = 0; i <= 5; i++)
        if (present[i]) {
          target = i;
          break;
        }
    }
    if (target == -99) return -99;
  } else {
    return -99;
  }
  if (target == active) return -99;
  if (target >= 0 && !present[target]) return -99;
  return target;
}

void PlaceClockWindow(int32_t workLeft, int32_t workTop, int32_t workWidth, int32_t workHeight,
                      int32_t* x, int32_t* y, int32_t width, int32_t height) {
  if (*x < workLeft || *x + width > workLeft + workWidth) *x = workLeft + (workWidth - width) / 2;
  if (*y < workTop || *y + height > workTop + workHeight) *y = workTop + (workHeight - height) / 2;
}

int FrameRateAfter(int current, int request) {
  if (request >= 1 && request <= 60) return request;
  switch (request) {
    case -2: return 25;
    case -3: return current > 1 ? current - 1 : 1;
    case -4: return current < 60 ? current + 1 : 60;
  }
  return current;
}

void EdgeScrollDelta(uint32_t state, int* dx, int* dy) {
  *dx = (state & 1) ? -1 : (state & 2) ? 1 : 0;
  *dy = (state & 4) ? -1 : (state & 8) ? 1 : 0;
}

uint32_t EdgeScrollFromHitTest(int hitTest) {
  switch (hitTest) {
    case 2:
    case 8:
    case 9:
    case 12: return 4;  // caption, minimise, maximise, top
    case 3:
    case 13: return 4 | 1;  // system menu, top-left
    case 14:
    case 20: return 4 | 2;  // top-right, close
    case 10: return 1;      // left border
    case 11:
    case 7: return 2;  // right border, vertical scroll bar
    case 15:
    case 6: return 8;       // bottom border, horizontal scroll bar
    case 16: return 8 | 1;  // bottom-left
    case 17: return 8 | 2;  // bottom-right
  }
  return 0;
}

uint32_t EdgeScrollFromClientPoint(int32_t x, int32_t y, int32_t width, int32_t height) {
  uint32_t s = 0;
  if (x < 16)
    s |= 1;
  else if (x >= width - 16)
    s |= 2;
  if (y < 12)
    s |= 4;
  else if (y >= height - 12)
    s |= 8;
  return s;
}
