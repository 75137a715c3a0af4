// Value stepping of ranged edit fields: spin-bar ranges by field kind, the value under the caret,
// numbers, decimals, weekdays and store names stepped with wrapping (portable, no windows).
#pragma once
#include <cstdint>
#include "app/dialog.h"

// Store names of the field kinds 1, 2, 5, 6, 10, 11 come from their stores, which register here:
// count() gives the number of entries; step(text, out, step) writes the name that lies step
// places away from the name in text (wrapping) into out (64 characters) and returns 0, non-zero
// when nothing is found.
typedef int (*DialogNameCountFn)();
typedef int (*DialogNameStepFn)(const char16_t* text, char16_t* out, int step);
void SetDialogNameSource(int kind, DialogNameCountFn count, DialogNameStepFn step);
constexpr int DLG_NAME_MAX = 64;

// The field kind of an edit record (range flag with equal bounds), else 0.
int32_t FieldKindOf(const DialogRecord* rec);
// Range of a spin bar for its field's record (null: no record). Returns 1 when lowest < highest
// (the bar is enabled with that range), else 0 (the bar is disabled).
int SpinRangeForRecord(const DialogRecord* rec, int32_t* lowest, int32_t* highest);

// Step amount of a key: 38 +1, 40 -1, 33 +10, 34 -10; 0 for other keys.
int StepForKey(uint32_t key);
// Key of a spin-bar scroll code: line up 38, line down 40, page up or top 33, page down or bottom
// 34; 0 for other codes.
uint32_t KeyForSpinCode(int code);

// Steps the value of an edit field's text at the caret. text holds the whole field text and
// receives the new one; capacity is its size in characters (at least the record's buffer length);
// caret is read and set. Returns 1 when the text was changed, else 0.
int StepFieldText(const DialogRecord* rec, char16_t* text, int capacity, int* caret, uint32_t key);

// Steps a type-13 or type-14 record for a scroll code of bar 340 (thumbPos for thumb tracking).
// Returns 1 when the shown value or entry changed.
int StepPictureRecord(DialogRecord* rec, int code, int thumbPos);
// Range and position of bar 340 for its record (null: 0..100 at 0). Returns 1 when the range is
// not empty.
int PictureBarRange(const DialogRecord* rec, int* lowest, int* highest, int* pos);
