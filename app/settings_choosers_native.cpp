// The colour and font choosers, swatches and control fonts in the native build: a test "user"
// stands in for the person at the platform's chooser; swatches and fonts are remembered so that
// tests can see what the dialog shows.
#include "app/dialog.h"
#include "app/settings_cmds.h"
#include "model/grid.h"

namespace {
ColourChooserUser ColourUser = nullptr;
FontChooserUser FontUser = nullptr;
void* UserContext = nullptr;
int ColourRuns = 0, FontRuns = 0, LevelSeen = -1, RunningSeen = -1;
struct Shown {
  uint32_t id;
  uint32_t colour;
  void* font;
};
Shown Swatches[2] = {{280, 0xFFFFFFFFu, nullptr}, {281, 0xFFFFFFFFu, nullptr}};
Shown Fonts[8];
}  // namespace

void ChooserSeamSet(ColourChooserUser colour, FontChooserUser font, void* context) {
  ColourUser = colour, FontUser = font, UserContext = context;
  ColourRuns = FontRuns = 0;
  LevelSeen = RunningSeen = -1;
  for (Shown& s : Swatches) s.colour = 0xFFFFFFFFu;
  for (Shown& f : Fonts) f = Shown{};
}
int ChooserSeamColourRuns() { return ColourRuns; }
int ChooserSeamFontRuns() { return FontRuns; }
int ChooserSeamDialogLevelSeen() { return LevelSeen; }
int ChooserSeamRunningSeen() { return RunningSeen; }
uint32_t ChooserSeamSwatch(uint32_t controlId) {
  for (Shown& s : Swatches)
    if (s.id == controlId) return s.colour;
  return 0xFFFFFFFFu;
}
void* ChooserSeamControlFont(uint32_t controlId) {
  for (Shown& f : Fonts)
    if (f.id == controlId) return f.font;
  return nullptr;
}

int PlatformChooseColour(WrapWindow, uint32_t* colour, uint32_t custom[16], uint16_t) {
  ColourRuns++;
  LevelSeen = GetDialogLevel();
  RunningSeen = SimulationRunningFlag;
  uint32_t c = *colour, k[16];
  for (int i = 0; i < 16; i++) k[i] = custom[i];
  if (!ColourUser || !ColourUser(&c, k, UserContext)) return 0;  // the platform keeps both
  *colour = c & 0xFFFFFF;
  for (int i = 0; i < 16; i++) custom[i] = k[i] & 0xFFFFFF;
  return 1;
}

int PlatformChooseFont(WrapWindow, FontSetting* font, int fixedPitchOnly, uint16_t) {
  FontRuns++;
  LevelSeen = GetDialogLevel();
  FontSetting f = *font;
  if (!FontUser || !FontUser(&f, fixedPitchOnly, UserContext)) return 0;
  f.face[FONT_FACE_CHARS - 1] = 0;
  *font = f;
  return 1;
}

void PlatformShowSwatch(WrapWindow, uint32_t controlId, uint32_t colour) {
  for (Shown& s : Swatches)
    if (s.id == controlId) s.colour = colour;
}
void* PlatformSwatchBrush(WrapWindow, WrapWindow) { return nullptr; }
void PlatformForgetSwatches(WrapWindow) {}

void PlatformSetControlFont(WrapWindow, uint32_t controlId, void* font) {
  for (Shown& f : Fonts)
    if (f.id == controlId || !f.id) {
      f.id = controlId;
      f.font = font;
      return;
    }
}
