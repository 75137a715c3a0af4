// The settings commands: log settings, language and help files, the display colours and their
// chooser, the mouse, general and display options and the fonts.
#include "app/settings_cmds.h"
#include "app/cursor.h"
#include "app/editwnd.h"
#include "app/filedialog.h"
#include "app/frontend.h"
#include "app/help.h"
#include "app/input.h"
#include "app/tick.h"
#include "app/dialog_ctl.h"
#include "app/netcmd.h"
#include "app/optionfile.h"
#include "app/recent.h"
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/platform.h"
#include "core/settings_platform.h"
#include "core/stream.h"
#include "core/timepattern.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_options.h"
#include "views/view_services.h"

void (*FrameRefreshWindows)(int texts) = nullptr;

namespace {

// ---- field texts -------------------------------------------------------------------------------------
// "%u" / "%i" as the dialogs read them: blanks, an optional sign (signed only), digits; what
// follows the digits is ignored. 1 when a number was read (and fits 32 bits).
int ScanNumber(const char16_t* s, int isSigned, int32_t* out) {
  while (*s == u' ' || *s == u'\t') s++;
  int neg = 0;
  if (isSigned && (*s == u'-' || *s == u'+')) neg = *s++ == u'-';
  if (*s < u'0' || *s > u'9') return 0;
  int64_t v = 0;
  while (*s >= u'0' && *s <= u'9') {
    v = v * 10 + (*s++ - u'0');
    if (v > 0xFFFFFFFFLL) return 0;
  }
  if (isSigned && v > (neg ? 0x80000000LL : 0x7FFFFFFFLL)) return 0;
  if (!isSigned && v > 0x7FFFFFFFLL) return 0;
  *out = (int32_t)(neg ? -v : v);
  return 1;
}
void FormatNumber(char16_t* out, int32_t v) {
  int n = 0;
  if (v < 0) out[n++] = u'-';
  n += FormatUnsignedDigits(out + n, v < 0 ? 0u - (uint32_t)v : (uint32_t)v, 1);
  out[n] = 0;
}
int Checked(DialogRecord* d, uint32_t id) {
  DialogRecord* r = FindDescriptorItem(d, id);
  return r && (r->button.flags & DLGB_CHECKED) ? 1 : 0;
}
uint8_t Box(int on) { return on ? DLGB_CHECKED : 0; }

void RefreshWindows(int texts) {
  if (FrameRefreshWindows) FrameRefreshWindows(texts);
}

// ---- log settings -----------------------------------------------------------------------------------
struct LogForm {
  char16_t folder[STREAM_PATH_CHARS + 1];
  char16_t separator[2], comment[2];
};

}  // namespace

void LogSettingsCommand() {
  static LogForm f;
  uint32_t flags = 0;
  char16_t sep = u',', comm = u';';
  GetLogSettings(&flags, &sep, &comm, nullptr);
  GetKindFolder(FILE_KIND_LOG, f.folder);
  f.separator[0] = sep, f.separator[1] = 0;
  f.comment[0] = comm, f.comment[1] = 0;
  DialogRecord d[] = {
      DlgTitle(LANG_ID(11700), 42014, DLG_NO_FOCUS),
      DlgText(190, LANG_ID(11701)),
      DlgText(191, LANG_ID(11702)),
      DlgText(192, LANG_ID(11706)),
      DlgText(193, LANG_ID(11710)),
      DlgText(194, LANG_ID(11711)),
      DlgText(195, LANG_ID(11712)),
      DlgText(196, LANG_ID(11713)),
      DlgEdit(140, f.folder, STREAM_PATH_CHARS + 1, 0),
      DlgCheck(470, LANG_ID(11703), Box(flags & 1)),
      DlgCheck(471, LANG_ID(11704), Box(flags & 2)),
      DlgCheck(472, LANG_ID(11705), Box(flags & 16)),
      DlgRadio(400, LANG_ID(11707), Box(!(flags & 12))),
      DlgRadio(401, LANG_ID(11708), Box(flags & 8)),
      DlgRadio(402, LANG_ID(11709), Box((flags & 12) == 4)),
      DlgEdit(141, f.separator, 2, 0),
      DlgEdit(142, f.comment, 2, 0),
      DlgOk(),
      DlgHelp(),
      DlgCancel(),
      DlgEnd(),
  };
  SetDescriptorFocus(d, DLG_NO_FOCUS);
  for (;;) {
    if (RunDialog(nullptr, LOG_SETTINGS_TEMPLATE, DlgF_Einfach, d) != DLGR_OK) return;
    uint32_t bits = 0;
    if (Checked(d, 470)) bits |= 1;
    if (Checked(d, 471)) bits |= 2;
    if (Checked(d, 472)) bits |= 16;
    if (Checked(d, 401)) bits |= 8;
    if (Checked(d, 402)) bits |= 4;
    int r = SetLogSettings(bits, f.separator[0], f.comment[0]);
    if (r == 1) {
      ShowErrorText(255, LANG_ID(11129));
      SetDescriptorFocus(d, 470);
    } else if (r == 2) {
      ShowErrorText(256, LANG_ID(11145));
      SetDescriptorFocus(d, 141);
    } else if (r == 3) {
      ShowErrorText(257, LANG_ID(11146));
      SetDescriptorFocus(d, 142);
    } else {
      break;
    }
  }
  StripLeadingBlanks(f.folder);
  if (f.folder[0]) {
    int n = StringLength(f.folder);
    if (f.folder[n - 1] != u'\\' && n < STREAM_PATH_CHARS - 1) f.folder[n] = u'\\', f.folder[n + 1] = 0;
    SetKindFolder(FILE_KIND_LOG, f.folder);
  } else {
    ShowInfoText(258, LANG_ID(11128));
    char16_t network[STREAM_PATH_CHARS];
    GetKindFolder(FILE_KIND_NETWORK, network);
    SetKindFolder(FILE_KIND_LOG, network);
  }
}

// ---- language and help files ---------------------------------------------------------------------
int LanguageFileCommand(int second) {
  char16_t name[FILEDLG_NAME_CHARS];
  int exists = 0;
  name[0] = 0;
  int r = second ? FileDialog(LANG_ID(11430), LANG_ID(11421), 42021, 0, 190, nullptr,
                              FILE_KIND_PROGRAM, nullptr, &exists, name, u"lnv", LANG_ID(11432))
                 : FileDialog(LANG_ID(11420), LANG_ID(11421), 42020, 0, 190, nullptr,
                              FILE_KIND_PROGRAM, nullptr, &exists, name, u"lng", LANG_ID(11422));
  if (r != FILEDLG_CHOSEN) return 1;
  int loaded = LoadLanguageFile(name, second ? 0 : 1);
  if (loaded == LANG_ERR_OPEN || loaded == LANG_ERR_READ) {
    ShowErrorText(193, LANG_ID(11136));
    return 1;
  }
  if (loaded == LANG_ERR_SYNTAX) {
    ShowErrorText(194, LANG_ID(11137));
    return 1;
  }
  if (loaded != LANG_OK) {
    ShowErrorText(195, LANG_ID(8005));
    return 1;
  }
  // The option file keeps the name; the next start loads it again.
  CopyStringLimited(second ? SecondLanguageFileName : LanguageFileName, name, SETTINGS_NAME_CHARS);
  RefreshWindows(1);
  return 0;
}

int HelpFileCommand() {
  char16_t name[FILEDLG_NAME_CHARS];
  int exists = 0;
  name[0] = 0;
  if (FileDialog(LANG_ID(11460), LANG_ID(11461), 42006, 0, 191, nullptr, FILE_KIND_PROGRAM,
                 nullptr, &exists, name, u"chm", LANG_ID(11462)) != FILEDLG_CHOSEN)
    return 1;
  if (!exists || SetHelpFileName(name)) {
    ShowInfoText(197, LANG_ID(11138));
    return 1;
  }
  ShowHelpTopic(HELPID_CLOSE_ALL);
  return 0;
}

// ---- colours ------------------------------------------------------------------------------------------
const SettableColour kSettableColours[SETTABLE_COLOUR_COUNT] = {
    {0, LANG_ID(11510)}, {10, LANG_ID(11522)}, {11, LANG_ID(11523)}, {73, LANG_ID(11524)},
    {16, LANG_ID(11525)}, {17, LANG_ID(11526)}, {18, LANG_ID(11527)}, {8, LANG_ID(11533)},
    {9, LANG_ID(11534)}, {32, LANG_ID(11560)}, {33, LANG_ID(11561)}, {34, LANG_ID(11562)},
    {35, LANG_ID(11563)}, {36, LANG_ID(11564)}, {39, LANG_ID(11567)}, {101, LANG_ID(11570)},
    {102, LANG_ID(11571)}, {103, LANG_ID(11572)}, {104, LANG_ID(11573)}, {40, LANG_ID(11568)},
    {41, LANG_ID(11569)}, {126, LANG_ID(11559)}, {125, LANG_ID(11558)}, {47, LANG_ID(11575)},
    {55, LANG_ID(11574)}, {58, LANG_ID(11576)}, {59, LANG_ID(11577)}, {152, LANG_ID(11520)},
    {60, LANG_ID(11580)}, {61, LANG_ID(11581)}, {62, LANG_ID(11582)}, {63, LANG_ID(11583)},
    {64, LANG_ID(11584)}, {65, LANG_ID(11585)}, {153, LANG_ID(11521)}, {46, LANG_ID(11578)},
    {54, LANG_ID(11579)}, {132, LANG_ID(11586)}, {178, LANG_ID(11531)}, {48, LANG_ID(11587)},
    {56, LANG_ID(11588)}, {66, LANG_ID(11594)}, {69, LANG_ID(11595)}, {67, LANG_ID(11596)},
    {70, LANG_ID(11597)}, {68, LANG_ID(11598)}, {71, LANG_ID(11599)}, {49, LANG_ID(11589)},
    {57, LANG_ID(11593)}, {150, LANG_ID(11627)}, {151, LANG_ID(11628)}, {158, LANG_ID(11629)},
    {90, LANG_ID(11600)}, {91, LANG_ID(11601)}, {92, LANG_ID(11602)}, {93, LANG_ID(11603)},
    {94, LANG_ID(11604)}, {95, LANG_ID(11605)}, {96, LANG_ID(11606)}, {133, LANG_ID(11556)},
    {179, LANG_ID(11557)}, {97, LANG_ID(11607)}, {98, LANG_ID(11608)}, {99, LANG_ID(11609)},
    {100, LANG_ID(11610)}, {107, LANG_ID(11611)}, {51, LANG_ID(11590)}, {52, LANG_ID(11591)},
    {53, LANG_ID(11592)}, {131, LANG_ID(11535)}, {177, LANG_ID(11532)}, {74, LANG_ID(11540)},
    {75, LANG_ID(11541)}, {76, LANG_ID(11542)}, {77, LANG_ID(11543)}, {78, LANG_ID(11544)},
    {79, LANG_ID(11545)}, {80, LANG_ID(11546)}, {81, LANG_ID(11547)}, {82, LANG_ID(11548)},
    {83, LANG_ID(11549)}, {84, LANG_ID(11550)}, {110, LANG_ID(11612)}, {111, LANG_ID(11613)},
    {112, LANG_ID(11614)}, {113, LANG_ID(11615)}, {114, LANG_ID(11616)}, {115, LANG_ID(11617)},
    {116, LANG_ID(11618)}, {117, LANG_ID(11619)}, {118, LANG_ID(11620)}, {119, LANG_ID(11621)},
    {120, LANG_ID(11622)}, {121, LANG_ID(11623)}, {122, LANG_ID(11624)}, {123, LANG_ID(11625)},
    {124, LANG_ID(11626)}, {85, LANG_ID(11551)}, {86, LANG_ID(11552)}, {87, LANG_ID(11553)},
    {88, LANG_ID(11554)}, {89, LANG_ID(11555)}, {106, LANG_ID(11536)}, {105, LANG_ID(11537)},
    {108, LANG_ID(11538)}, {109, LANG_ID(11539)}, {129, LANG_ID(11514)}, {130, LANG_ID(11511)},
    {156, LANG_ID(11515)}, {157, LANG_ID(11511)}, {127, LANG_ID(11512)}, {128, LANG_ID(11511)},
    {154, LANG_ID(11513)}, {155, LANG_ID(11511)}, {159, LANG_ID(11630)}, {160, LANG_ID(11511)},
    {161, LANG_ID(11631)}, {162, LANG_ID(11511)}, {163, LANG_ID(11632)}, {164, LANG_ID(11511)},
    {165, LANG_ID(11633)}, {166, LANG_ID(11511)}, {167, LANG_ID(11634)}, {168, LANG_ID(11511)},
    {169, LANG_ID(11635)}, {170, LANG_ID(11511)}, {171, LANG_ID(11636)}, {172, LANG_ID(11511)},
    {173, LANG_ID(11637)}, {174, LANG_ID(11511)}, {175, LANG_ID(11638)}, {176, LANG_ID(11511)},
    {180, LANG_ID(11518)}, {181, LANG_ID(11511)}, {182, LANG_ID(11519)}, {183, LANG_ID(11511)},
};

namespace {
struct ColourForm {
  uint32_t work[SETTABLE_COLOUR_COUNT];  // the work copy, by row
  DialogRecord* d;
  int filling;
};
ColourForm Colours;
int ColourRow = 0;  // the row selected last (kept while the program runs)

uint32_t RowDefault(int row) { return GetDefaultColour(kSettableColours[row].number); }

void ShowRgb(WrapWindow w, uint32_t textId, uint32_t colour) {
  char16_t out[120];
  const uint32_t v[3] = {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
  const char16_t* texts[1] = {GetLangText(LANG_ID(11502))};
  FormatTextWith(out, 120, u"%s %u,%u,%u", v, 3, texts, 1);
  DlgCtlSetText(w, textId, out);
}
}  // namespace

// The swatches and texts of the selected row, and whether its default can be taken.
void PaintColourSwatches(WrapWindow w) {
  int row = ColourRow;
  uint32_t work = Colours.work[row] & 0xFFFFFF, def = RowDefault(row) & 0xFFFFFF;
  PlatformShowSwatch(w, 280, work);
  PlatformShowSwatch(w, 281, def);
  ShowRgb(w, 200, work);
  ShowRgb(w, 201, def);
  DlgCtlEnable(w, 121, work != def);
}

// The list of the colour names; 0, or 1 when the list refused an entry (information 290).
int FillColourNameList(WrapWindow w) {
  DlgCtlListReset(w, 106);
  for (int i = 0; i < SETTABLE_COLOUR_COUNT; i++)
    if (DlgCtlListAdd(w, 106, GetLangText(kSettableColours[i].textId), nullptr, 0) < 0) {
      ShowInfoText(290, LANG_ID(11117));
      return 1;
    }
  return 0;
}

namespace {
void ChooseRowColour(WrapWindow w) {
  uint32_t old = Colours.work[ColourRow];
  uint32_t chosen = ChooseColourDialog(w, old & 0xFFFFFF);
  Colours.work[ColourRow] = (old & 0xFF000000u) | (chosen & 0xFFFFFF);
  PaintColourSwatches(w);
}
void TakeRowDefault(WrapWindow w) {
  Colours.work[ColourRow] = RowDefault(ColourRow);
  PaintColourSwatches(w);
}
}  // namespace

intptr_t QUIL_DLGCALL DlgF_SetFarben(WrapWindow w, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  switch (message) {
    case DLGMSG_INITDIALOG: {
      Colours.d = (DialogRecord*)lParam;
      Colours.filling = 1;
      int r = InitDialogFromDescriptor(w, Colours.d);
      FillColourNameList(w);
      if (ColourRow < 0 || ColourRow >= SETTABLE_COLOUR_COUNT) ColourRow = 0;
      DlgCtlListSetSel(w, 106, ColourRow);
      PaintColourSwatches(w);
      Colours.filling = 0;
      return r & 0xFF;
    }
    case DLGMSG_COMMAND: {
      uint32_t id = (uint32_t)(wParam & 0xFFFF), notify = (uint32_t)(wParam >> 16);
      switch (id) {
        case DLGID_HELP: DlgCtlShowHelp(DescriptorHelpTopic(Colours.d)); return 1;
        case 106:
          if (notify == 1 && !Colours.filling) {  // LBN_SELCHANGE
            int sel = DlgCtlListGetSel(w, 106);
            if (sel >= 0 && sel < SETTABLE_COLOUR_COUNT) ColourRow = sel;
            PaintColourSwatches(w);
          } else if (notify == 2) {  // LBN_DBLCLK
            ChooseRowColour(w);
          }
          return 1;
        case 280:  // STN_CLICKED
          if (notify == 0) ChooseRowColour(w);
          return 1;
        case 281:  // STN_DBLCLK
          if (notify == 1) TakeRowDefault(w);
          return 1;
        case 120: ChooseRowColour(w); return 1;
        case 121: TakeRowDefault(w); return 1;
        case DLGID_OK:
        case DLGID_CANCEL:
        case 122: DlgCtlEndDialog(w, id); return 1;
      }
      return 0;
    }
    case DLGMSG_PAINT: PaintDialogFromDescriptor(w, Colours.d); return 0;
    case DLGMSG_DESTROY:
      SaveDialogValues(w, Colours.d);
      PlatformForgetSwatches(w);
      return 0;
    default:
      if (void* brush = message == DLGMSG_CTLCOLORSTATIC ? PlatformSwatchBrush(w, (WrapWindow)lParam)
                                                         : nullptr)
        return (intptr_t)brush;
      if (message >= DLGMSG_CTLCOLORMSGBOX && message <= DLGMSG_CTLCOLORSTATIC)
        return (intptr_t)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
      return 0;
  }
}

void ColourSettingsCommand() {
  for (int i = 0; i < SETTABLE_COLOUR_COUNT; i++)
    Colours.work[i] = GetColour(kSettableColours[i].number);
  static char16_t rgb[2][64];
  rgb[0][0] = rgb[1][0] = 0;
  DialogRecord d[] = {
      DlgTitle(LANG_ID(11500), 41002, DLG_NO_FOCUS),
      DlgText(190, LANG_ID(11501)),
      DlgText(191, LANG_ID(11503)),
      DlgText(192, LANG_ID(11504)),
      DlgList(106, nullptr, DLGL_FONT_ONLY),
      DlgTextPtr(200, rgb[0]),
      DlgTextPtr(201, rgb[1]),
      DlgTextPtr(280, u""),
      DlgTextPtr(281, u""),
      DlgText(120, LANG_ID(11505)),
      DlgText(121, LANG_ID(11506)),
      DlgText(122, LANG_ID(11507)),
      DlgOk(),
      DlgHelp(),
      DlgCancel(),
      DlgEnd(),
  };
  int r = RunDialog(nullptr, COLOURS_TEMPLATE, DlgF_SetFarben, d);
  Colours.d = nullptr;
  if (r == 122) {
    for (int i = 0; i < SETTABLE_COLOUR_COUNT; i++)
      SetColour(kSettableColours[i].number, GetDefaultColour(kSettableColours[i].number));
  } else if (r == DLGR_OK) {
    for (int i = 0; i < SETTABLE_COLOUR_COUNT; i++)
      SetColour(kSettableColours[i].number, Colours.work[i]);
  } else {
    return;
  }
  InvalidateViews(3);
  RefreshWindows(0);
}

uint32_t ChooseColourDialog(WrapWindow owner, uint32_t initial) {
  uint32_t custom[16];
  for (int i = 0; i < 16; i++) custom[i] = GetColour(134 + i) & 0xFFFFFF;
  if (EnterDialogLevel()) return initial;
  int running = SimulationRunningFlag;
  SimulationRunningFlag = 0;
  uint32_t colour = initial;
  int chosen = PlatformChooseColour(owner, &colour, custom, 41002);
  SimulationRunningFlag = running;
  LeaveDialogLevel();
  if (!chosen) return initial;
  for (int i = 0; i < 16; i++)
    SetColour(134 + i, (GetColour(134 + i) & 0xFF000000u) | (custom[i] & 0xFFFFFF));
  return colour & 0xFFFFFF;
}

// ---- mouse and cursor options ---------------------------------------------------------------------
int MouseOptionsCommand() {
  char16_t edge[16];
  FormatNumber(edge, GetEdgeScrollInterval());
  uint32_t bits = GetMouseOptions();
  int style = GetCursorStyle();
  DialogRecord d[] = {
      DlgTitle(LANG_ID(18800), 41039, DLG_NO_FOCUS),
      DlgText(190, LANG_ID(18801)),
      DlgRadio(400, LANG_ID(18802), Box(!(bits & 1))),
      DlgRadio(401, LANG_ID(18803), Box(bits & 1)),
      DlgText(193, LANG_ID(18804)),
      DlgEdit(143, edge, 8, 0),
      DlgCheck(470, LANG_ID(18805), Box(bits & 8)),
      DlgText(191, LANG_ID(18806)),
      DlgRadio(402, LANG_ID(18807), Box(style != 52)),
      DlgRadio(403, LANG_ID(18808), Box(style == 52)),
      DlgOk(),
      DlgHelp(),
      DlgCancel(),
      DlgEnd(),
  };
  int r = RunFrontEndDialog(MOUSE_OPTIONS_TEMPLATE, nullptr, d, nullptr, nullptr);
  if (r != DLGR_OK) return r;
  bits &= ~9u;
  if (Checked(d, 401)) bits |= 1;
  if (Checked(d, 470)) bits |= 8;
  SetMouseOptions(bits);
  int32_t v;
  if (!ScanNumber(edge, 0, &v) || SetEdgeScrollInterval(v)) SetEdgeScrollInterval(-1);
  SetCursorStyle(Checked(d, 403) ? 52 : 51);
  return r;
}

// ---- general options --------------------------------------------------------------------------------
namespace {
struct GeneralForm {
  char16_t backup[16], recent[16], cpIn[16], cpOut[16], interval[16];
  int32_t backupValue, recentValue, cpInValue, cpOutValue, intervalValue;
};

// An empty or non-numeric code page means -1; a number must be valid for the system.
int CheckCodePage(const char16_t* text, int32_t* out) {
  if (!ScanNumber(text, 1, out)) *out = -1;
  return *out == -1 || SettingsIsValidCodePage(*out);
}

uint32_t CheckGeneralFields(DialogRecord* d, void* context) {
  GeneralForm* f = (GeneralForm*)context;
  if (!ScanNumber(f->backup, 0, &f->backupValue) || f->backupValue > 1000) {
    ShowErrorText(319, LANG_ID(18027));
    return 140;
  }
  if (!ScanNumber(f->recent, 0, &f->recentValue) || f->recentValue > 32) {
    ShowErrorText(329, LANG_ID(18039));
    return 141;
  }
  if (!CheckCodePage(f->cpIn, &f->cpInValue)) {
    ShowErrorText(358, LANG_ID(18041));
    return 142;
  }
  if (!CheckCodePage(f->cpOut, &f->cpOutValue)) {
    ShowErrorText(359, LANG_ID(18041));
    return 143;
  }
  f->intervalValue = 0;
  DialogRecord* off = FindDescriptorItem(d, 400);
  if (off && !(off->button.flags & (DLGB_CHECKED | DLGB_DISABLED))) {
    int32_t seconds = ParseDuration(f->interval, nullptr);
    if (seconds < 1 || seconds > 86399) {
      ShowErrorText(357, LANG_ID(18044));
      return 144;
    }
    f->intervalValue = seconds;
  }
  return 0;
}
}  // namespace

int GeneralOptionsCommand() {
  static GeneralForm f;
  FormatNumber(f.backup, GetBackupCount());
  FormatNumber(f.recent, RecentShownCount);
  f.cpIn[0] = f.cpOut[0] = 0;
  if (CpAnsiUni != -1) FormatNumber(f.cpIn, CpAnsiUni);
  if (CpUniAnsi != -1) FormatNumber(f.cpOut, CpUniAnsi);
  int32_t interval = 0;
#ifdef QUIL_VIEWER
  // The viewer saves no network: no autosave to set.
  const uint32_t autosave = 0;
  const uint8_t autosaveOff = DLGB_DISABLED;
#else
  uint32_t autosave = GetAutosaveOptions(&interval);
  const uint8_t autosaveOff = 0;
#endif
  FormatDuration(f.interval, (uint32_t)(interval > 0 ? interval : 0));
  int mode = GetMarkLevelMode();
  DialogRecord d[] = {
      DlgTitle(LANG_ID(17820), 41040, DLG_NO_FOCUS),
      DlgText(190, LANG_ID(17823)),
      DlgEdit(140, f.backup, 8, 0),
      DlgText(191, LANG_ID(17822)),
      DlgEdit(141, f.recent, 8, 0),
      DlgText(193, LANG_ID(17829)),
      DlgEdit(142, f.cpIn, 8, 0),
      DlgText(194, LANG_ID(17830)),
      DlgEdit(143, f.cpOut, 8, 0),
      DlgText(195, LANG_ID(17835)),
      DlgRadio(400, LANG_ID(17836), (uint8_t)(Box(interval == 0) | autosaveOff)),
      DlgRadio(401, LANG_ID(17837), (uint8_t)(Box(interval != 0 && (autosave & 1)) | autosaveOff)),
      DlgRadio(402, LANG_ID(17838), (uint8_t)(Box(interval != 0 && !(autosave & 1)) | autosaveOff)),
      DlgText(196, LANG_ID(17839)),
      DlgEdit(144, f.interval, 8, autosaveOff ? DLGE_DISABLED : 0),
      DlgText(197, LANG_ID(17840)),
      DlgRadio(403, LANG_ID(17841), (uint8_t)(Box(autosave & 2) | autosaveOff)),
      DlgRadio(404, LANG_ID(17842), (uint8_t)(Box(!(autosave & 2)) | autosaveOff)),
      DlgText(198, LANG_ID(17843)),
      DlgRadio(405, LANG_ID(17844), Box(mode == 0)),
      DlgRadio(406, LANG_ID(17845), Box(mode == 1)),
      DlgRadio(407, LANG_ID(17846), Box(mode == 2)),
      DlgCheck(470, LANG_ID(17824), Box(SaveSettingsAtExit)),
      DlgCheck(471, LANG_ID(17831), Box(DocState.loopMode)),
      DlgCheck(472, LANG_ID(17832), Box(GetReverseAdvance())),
      DlgCheck(473, LANG_ID(17834), Box(GetExplorerFileDialog())),
      DlgCheck(474, LANG_ID(17825), Box(StoreHstSwitch)),
      DlgCheck(475, LANG_ID(17826), Box(StoreSigASwitch)),
      DlgCheck(476, LANG_ID(17827), Box(SetOverwriteWarning(0) == 1)),
      DlgCheck(477, LANG_ID(17828), Box(SetFileNameWarning(0) == 1)),
      DlgOk(),
      DlgHelp(),
      DlgCancel(),
      DlgEnd(),
  };
  int r = RunFrontEndDialog(GENERAL_OPTIONS_TEMPLATE, nullptr, d, CheckGeneralFields, &f);
  if (r != DLGR_OK) return r;
  SetBackupCount(f.backupValue);
  if (f.recentValue != RecentShownCount) {
    SetRecentShownCount(f.recentValue);
    if (FileCommands.rebuildRecentMenus) FileCommands.rebuildRecentMenus();
  }
  SetConversionCodePages(f.cpInValue, f.cpOutValue);
  SetMarkLevelMode(Checked(d, 406) ? 1 : Checked(d, 407) ? 2 : 0, 1);
  SaveSettingsAtExit = Checked(d, 470);
  DocState.loopMode = (uint32_t)Checked(d, 471);
  SetReverseAdvance(Checked(d, 472));
  SetExplorerFileDialog(Checked(d, 473));
  StoreHstSwitch = Checked(d, 474);
  StoreSigASwitch = Checked(d, 475);
  SetOverwriteWarning(Checked(d, 476) ? 1 : 2);
  SetFileNameWarning(Checked(d, 477) ? 1 : 2);
#ifdef QUIL_VIEWER
  return r;
#else
  uint32_t bits = autosave & ~3u;
  if (Checked(d, 401)) bits |= 1;
  if (Checked(d, 403)) bits |= 2;
  return SetAutosaveOptions(bits, f.intervalValue);
#endif
}

// ---- display options ---------------------------------------------------------------------------------
namespace {
void (*const kShowSetters[8])(int) = {nullptr,         SetShowOption1, SetShowOption2,
                                      SetShowOption3, SetShowOption4, SetShowOption5,
                                      SetShowOption6, SetShowOption7};
// The boxes of display options 1 to 7, in the order of the options.
const uint32_t kShowBoxes[8] = {0, 472, 473, 475, 476, 477, 474, 478};
const uint16_t kShowTexts[8] = {0,         LANG_ID(17923), LANG_ID(17938), LANG_ID(17939),
                                LANG_ID(17936), LANG_ID(17924), LANG_ID(17937), LANG_ID(17925)};
const uint32_t kAnnotationBits[7] = {1, 2, 4, 8, 16, 32, 0x8000};
const uint16_t kAnnotationTexts[7] = {LANG_ID(17941), LANG_ID(17942), LANG_ID(17943),
                                      LANG_ID(17944), LANG_ID(17945), LANG_ID(17946),
                                      LANG_ID(17940)};

// Everything the dialog shows but the frame rate, to see whether anything changed.
struct DisplayState {
  int cellMark, logPoint, show[8], block, cycle, ballast, waterways, roads, paletteText, animation;
  uint32_t annotation;
};
DisplayState CurrentDisplayState() {
  DisplayState s = {};
  s.cellMark = CellMarkDisplaySwitch ? 1 : 0;
  s.logPoint = LogPointDisplaySwitch ? 1 : 0;
  for (int i = 1; i <= 7; i++) s.show[i] = ShowOption[i] ? 1 : 0;
  s.block = SetBlockMarkMode(3) ? 1 : 0;
  s.cycle = (int)(CycleDisplayMode & 7);
  s.ballast = ShowBallast ? 1 : 0;
  s.waterways = ShowWaterways ? 1 : 0;
  s.roads = ShowRoads ? 1 : 0;
  s.paletteText = GetPaletteGraphMode() ? 0 : 1;
  s.animation = AnimationSwitch ? 1 : 0;
  s.annotation = AnnotationMask & 0x803F;
  return s;
}
}  // namespace

int DisplayOptionsCommand() {
  char16_t rate[16];
  FormatNumber(rate, EditViews.frameRate < 1 ? 25 : EditViews.frameRate);
  DisplayState before = CurrentDisplayState();
  DialogRecord d[40];
  int n = 0;
  d[n++] = DlgTitle(LANG_ID(17920), 41023, DLG_NO_FOCUS);
  d[n++] = DlgCheck(470, LANG_ID(17921), Box(before.cellMark));
  d[n++] = DlgCheck(471, LANG_ID(17922), Box(before.logPoint));
  for (int i = 1; i <= 7; i++) d[n++] = DlgCheck((uint16_t)kShowBoxes[i], kShowTexts[i], Box(before.show[i]));
  // Block marking belongs to the editing of the views: shown, not changed here.
  d[n++] = DlgCheck(479, LANG_ID(17933), (uint8_t)(Box(before.block) | DLGB_DISABLED));
  d[n++] = DlgCheck(480, LANG_ID(17926), Box(before.cycle & 1));
  d[n++] = DlgCheck(481, LANG_ID(17927), Box(before.cycle & 2));
  d[n++] = DlgCheck(482, LANG_ID(17934), Box(before.cycle & 4));
  d[n++] = DlgCheck(483, LANG_ID(17928), Box(before.ballast));
  d[n++] = DlgCheck(484, LANG_ID(17929), Box(before.waterways));
  d[n++] = DlgCheck(485, LANG_ID(17930), Box(before.roads));
  d[n++] = DlgCheck(486, LANG_ID(17931), Box(before.paletteText));
  d[n++] = DlgCheck(487, LANG_ID(17932), Box(before.animation));
  // The zoom-2 vehicle graphics are not part of the program yet: the held value, disabled.
  d[n++] = DlgCheck(488, LANG_ID(17935), (uint8_t)(Box(Held.zoom2) | DLGB_DISABLED));
  for (int i = 0; i < 7; i++)
    d[n++] = DlgCheck((uint16_t)(489 + i), kAnnotationTexts[i],
                      Box(before.annotation & kAnnotationBits[i]));
  d[n++] = DlgText(190, LANG_ID(17960));
  d[n++] = DlgEdit(140, rate, 8, 0);
  d[n++] = DlgOk();
  d[n++] = DlgHelp();
  d[n++] = DlgCancel();
  d[n++] = DlgEnd();
  int r = RunFrontEndDialog(DISPLAY_OPTIONS_TEMPLATE, nullptr, d, nullptr, nullptr);
  if (r != DLGR_OK) return r;
  CellMarkDisplaySwitch = Checked(d, 470);
  LogPointDisplaySwitch = Checked(d, 471);
  for (int i = 1; i <= 7; i++) kShowSetters[i](Checked(d, kShowBoxes[i]));
  SetCycleDisplayMode((CycleDisplayMode & ~7u) | (uint32_t)(Checked(d, 480) | Checked(d, 481) << 1 |
                                                           Checked(d, 482) << 2));
  ShowBallast = Checked(d, 483);
  ShowWaterways = Checked(d, 484);
  ShowRoads = Checked(d, 485);
  SetPaletteGraphMode(Checked(d, 486) ? 0 : 1);
  AnimationSwitch = Checked(d, 487);
  uint32_t mask = AnnotationMask & ~0x803Fu;
  for (int i = 0; i < 7; i++)
    if (Checked(d, 489 + i)) mask |= kAnnotationBits[i];
  SetAnnotationMask(mask);
  int32_t v;
  if (ScanNumber(rate, 1, &v) && v >= 1 && v <= 60) {
    if (FrameSetFrameRate) {
      FrameSetFrameRate(v);
    } else {
      EditViews.frameRate = v;
      EditViews.frameInterval = 1000 / v;
    }
  }
  DisplayState after = CurrentDisplayState();
  if (after.animation != before.animation && FileCommands.updateAnimationsInView)
    FileCommands.updateAnimationsInView(6, -1, 0, 0, 0);
  if (CompareMem(&before, &after, sizeof before)) InvalidateViews(3);
  return r;
}

// ---- fonts ---------------------------------------------------------------------------------------------
namespace {
struct FontRow {
  FontInfoOp* info;
  FontCreateOp* create;
  int fixedPitch;
  void* (*handle)();
};
void* ZoomFontHandle() { return GetZoomFont(4); }
// Buttons 120..127 and statics 190..197.
const FontRow kFontRows[8] = {
    {GetZoomFontInfo, CreateZoomFonts, 0, ZoomFontHandle},
    {GetDisplayFontInfo5, CreateDisplayFont5, 0, GetDisplayFont5},
    {GetDisplayFontInfo2, CreateDisplayFont2, 0, GetDisplayFont2},
    {GetDisplayFontInfo1, CreateDisplayFont1, 1, GetDisplayFont1},
    {GetDisplayFontInfo4, CreateDisplayFont4, 0, GetDisplayFont4},
    {GetDisplayFontInfo3, CreateDisplayFont3, 1, GetDisplayFont3},
    {GetDisplayFontInfo7, CreateDisplayFont7, 0, GetDisplayFont7},
    {GetDisplayFontInfo6, CreateDisplayFont6, 0, GetDisplayFont6},
};
const uint16_t kFontButtonTexts[9] = {LANG_ID(18361), LANG_ID(18362), LANG_ID(18363),
                                      LANG_ID(18364), LANG_ID(18365), LANG_ID(18366),
                                      LANG_ID(18367), LANG_ID(18368), LANG_ID(18369)};

FontSetting ReadFont(int k) {
  FontSetting f = {};
  kFontRows[k].info(&f.height, &f.width, &f.weight, &f.charSet, &f.pitchAndFamily, &f.italic,
                    f.face);
  f.face[FONT_FACE_CHARS - 1] = 0;
  return f;
}
}  // namespace

intptr_t QUIL_DLGCALL DlgF_FontAuswahl(WrapWindow w, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
  intptr_t r = DlgF_Einfach(w, message, wParam, lParam);
  if (message == DLGMSG_INITDIALOG)
    for (int k = 0; k < 8; k++) PlatformSetControlFont(w, 190 + (uint32_t)k, kFontRows[k].handle());
  return r;
}

void FontSettingsCommand() {
  static char16_t lines[8][FONT_FACE_CHARS + 16];
  for (;;) {
    DialogRecord d[24];
    int n = 0;
    d[n++] = DlgTitle(LANG_ID(18360), 41003, DLG_NO_FOCUS);
    for (int k = 0; k < 8; k++) {
      FontSetting f = ReadFont(k);
      const char16_t* texts[2] = {f.face, u"ABCD \u00C4\u00D6\u00DC"};
      FormatTextWith(lines[k], FONT_FACE_CHARS + 16, u"%s %s", nullptr, 0, texts, 2);
      d[n++] = DlgTextPtr((uint16_t)(190 + k), lines[k]);
    }
    for (int k = 0; k < 9; k++) d[n++] = DlgText((uint16_t)(120 + k), kFontButtonTexts[k]);
    d[n++] = DlgOk();
    d[n++] = DlgHelp();
    d[n++] = DlgEnd();
    int r = RunDialog(nullptr, FONTS_TEMPLATE, DlgF_FontAuswahl, d);
    if (r < 120 || r > 128) return;
    if (r == 128) {
      for (int k = 0; k < 8; k++) kFontRows[k].create(0, 0, 0, 0, 0, 0, 0, nullptr);
      InvalidateViews(3);
      continue;
    }
    int k = r - 120;
    FontSetting f = ReadFont(k);
    if (EnterDialogLevel()) continue;
    int chosen = PlatformChooseFont(nullptr, &f, kFontRows[k].fixedPitch, 41011);
    LeaveDialogLevel();
    if (!chosen) continue;
    kFontRows[k].create(1, f.height, f.width, f.weight, f.charSet, f.pitchAndFamily, f.italic,
                        f.face);
    InvalidateViews(3);
  }
}
