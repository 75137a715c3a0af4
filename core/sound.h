// The program's numbered sounds ("quil00.wav" ... in the program folder), each play under an alias
// of its own so several sounds may play at once; the main window closes a finished one.
#pragma once
#include <cstdint>

// Sound-option word: a play request carries bits, the sound plays only when one of them is set
// here (the option file sets it; 1 until then).
extern uint32_t SoundOptions;

// 0, or the platform's error of opening or playing; nothing happens (0) when none of bits is set
// in SoundOptions. Never waits for the sound to end.
uint32_t PlaySoundFile(uint32_t number, uint32_t bits);
// The short acknowledgement sound: PlaySoundFile(0, 1).
uint32_t PlayStartSound();
// The play counter (the number of the next alias).
uint32_t GetSoundPlayCount();
