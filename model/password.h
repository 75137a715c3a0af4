// The network password as the network file sees it: the protection flag, the stored 17-byte
// field and the entered copy, and the slices of the field written between sections.
#pragma once
#include <cstdint>

constexpr int PASSWORD_FIELD_BYTES = 17;

int IsNetworkProtected();
void SetNetworkProtected(int on);          // the general section's flag bit 2
const char* GetPasswordField();            // 17 bytes + terminator
void SetPasswordField(const char* field);  // null or "" empties it
void ClearEnteredPassword();
// The field derived from the password last entered correctly since loading (empty: none).
const char* GetEnteredPassword();
void SetEnteredPassword(const char* field);
// Clears the flag and the entered copy (start of a load); the field too (new network).
void ResetPasswordState(int alsoField);

// Bytes first..last (inclusive) of the field; 0 for an index at or past its length. Without the
// flag nothing is written or read. 0 or the first stream error.
int WritePasswordSlice(int first, int last);
int ReadPasswordSlice(int first, int last);
