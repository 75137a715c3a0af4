// Program entry of quil.exe and quilview.exe (the viewer is built with QUIL_VIEWER).
#include "app/frame_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  return QuilWinMain(instance, show);
}
