// The program's numbered sounds: option bits, the file name, a fresh alias per play.
#include "core/sound.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/sound_platform.h"
#include "core/stream.h"

uint32_t SoundOptions = 1;
static uint32_t PlayCount = 0;

// "<prefix><digits of v, at least width>" into out.
static void Numbered(char16_t* out, const char16_t* prefix, uint32_t v, int width) {
  CopyString(out, prefix);
  int n = StringLength(out);
  n += FormatUnsignedDigits(out + n, v, width);
  out[n] = 0;
}

uint32_t PlaySoundFile(uint32_t number, uint32_t bits) {
  if (!(SoundOptions & bits)) return 0;
  char16_t path[STREAM_PATH_CHARS], name[24], alias[16];
  GetKindFolder(FILE_KIND_PROGRAM, path);
  Numbered(name, u"quil", number, 2);
  if (StringLength(path) + StringLength(name) >= STREAM_PATH_CHARS) return 275;  // file not found
  AppendString(path, name);
  if (AddDefaultExtension(path, u"wav")) return 275;
  Numbered(alias, u"xxxJ", PlayCount++ % 100000, 5);
  uint32_t device = 0;
  uint32_t r = SoundPlatformOpen(path, alias, &device);
  if (r) return r;
  r = SoundPlatformPlay(device, MessageMainWindow());
  if (r) SoundPlatformClose(device);  // the play's own error is the answer
  return r;
}

uint32_t PlayStartSound() { return PlaySoundFile(0, 1); }
uint32_t GetSoundPlayCount() { return PlayCount; }
