// Colours, display switches and the day phase: the built-in palette of 79 colours, colour
// numbers to colour words with their class, the 184 display colours, the switches that decide
// which pictures and texts are shown, and the day phase computed from the clock.
#pragma once
#include <cstdint>

constexpr int PALETTE_COUNT = 79;
constexpr int DISPLAY_COLOUR_COUNT = 184;

// Colour classes (bits 24-30 of a colour word).
constexpr uint32_t COLOUR_CLASS_FIXED = 0x40;
constexpr uint32_t COLOUR_CLASS_LAMP = 0x50, COLOUR_CLASS_LAMP2 = 0x51;
// Markers (bit 31).
constexpr uint32_t PIXEL_BACKGROUND = 0x80000100;
constexpr uint32_t PIXEL_DARKEN = 0x80000000;
constexpr uint32_t PIXEL_TRANSPARENT = 0x80000001;
constexpr uint32_t PIXEL_EMPTY = 0x80010000;

extern const uint32_t kPaletteRgb[PALETTE_COUNT];  // 0xRRGGBB
extern uint32_t ColourTable[DISPLAY_COLOUR_COUNT];

// Colour number -> colour word in platform order (0x00BBGGRR) with the class in bits 24-30.
uint32_t ResolveColour(uint32_t number);
// The same in pixel order (red and blue exchanged, class kept) unless bit 31 is set.
uint32_t ResolveColourRgb(uint32_t number);
uint32_t GetColour(int n);
void SetColour(int n, uint32_t word);
void ResetDisplayColours();  // every display colour to its default
uint32_t GetDefaultColour(int n);  // the default word of display colour n (0 outside 0..183)

// Display switches 1..7 and the three ground switches (1 on, 0 off).
extern int ShowOption[8];  // index 1..7
extern int ShowBallast, ShowWaterways, ShowRoads;
void SetShowOption1(int on);
void SetShowOption2(int on);
void SetShowOption3(int on);
void SetShowOption4(int on);
void SetShowOption5(int on);
void SetShowOption6(int on);
void SetShowOption7(int on);
extern uint32_t CycleDisplayMode;  // train-text mode: bits 0-1 a mode, bit 2 a switch
// The value 1000 steps bits 0-1 (0 -> 1 -> 2 -> 3 -> 0) and keeps bit 2; others are set.
void SetCycleDisplayMode(uint32_t value);
extern uint32_t AnnotationMask;
void SetAnnotationMask(uint32_t mask);
void ResetDisplaySwitches();  // every switch, the mode and the mask to their defaults

// Day phase: phase in bits 0-2 (0 day, 1 night, 2 dawn, 4 dusk), light flags 8 lamps and 16,
// 32, 64 the three window groups.
constexpr uint32_t DAYPHASE_DAY = 0, DAYPHASE_NIGHT = 1, DAYPHASE_DAWN = 2, DAYPHASE_DUSK = 4;
constexpr uint32_t DAYPHASE_LAMPS = 8, DAYPHASE_WINDOWS0 = 16, DAYPHASE_WINDOWS1 = 32,
                   DAYPHASE_WINDOWS2 = 64;
extern uint32_t DayPhase;
extern int32_t PhaseElapsed, PhaseLength;  // minutes
// Recomputes the phase from the time of day and the four times of the network (only while the
// network's day-phase option is on); with redraw set, repaints the symbol views on a change.
void UpdateDayPhase(int redraw);
// The phase word for a minute of the day and the four times (hour << 8 | minute), with the
// minutes since the phase began and its length (out pointers may be null).
uint32_t ComputeDayPhase(int minuteOfDay, const uint16_t times[4], int32_t* elapsed,
                         int32_t* length);

// The system colours of the numbers 249..252 (0 highlight text, 1 highlight, 2 menu text,
// 3 menu), as the platform reports them (build-specific).
uint32_t SystemColour(int which);

// The screen's raster capability bits (RASTERCAPS: 1 bit-block transfers, 0x200 device-
// independent bitmap transfers), build-specific.
constexpr int RASTER_CAN_BITBLT = 0x1;
constexpr int RASTER_CAN_DIB_TO_DEVICE = 0x200;
int GetScreenRasterCaps();

// Bits per pixel times colour planes of the screen; width and height (may be null) get its size
// in pixels (build-specific).
int GetScreenMetrics(int* width, int* height);
