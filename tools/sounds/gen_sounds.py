#!/usr/bin/env python3
"""Writes the program's sounds as 16-bit mono wave files (22050 Hz), synthesised here from sine
tones with soft attack and decay:

  quil00.wav  a short click-like blip (acknowledgement and refusal)
  quil01.wav  a rising two-tone chime (the first event sound)
  quil02.wav  a single soft tone (later event sounds)
  quil03.wav  a three-tone falling chime (stop time reached)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


def tone(freq, seconds, volume=0.5, attack=0.005, harmonics=((1, 1.0),)):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack) if attack > 0 else 1.0
        env *= math.exp(-4.0 * t / seconds)  # decay to about 2 % at the end
        v = sum(a * math.sin(2 * math.pi * freq * k * t) for k, a in harmonics)
        out.append(volume * env * v / sum(a for _, a in harmonics))
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def write(path, samples):
    frames = b''.join(struct.pack('<h', max(-32767, min(32767, int(s * 32767)))) for s in samples)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


BELL = ((1, 1.0), (2, 0.4), (3, 0.15))

SOUNDS = {
    'quil00.wav': tone(1320, 0.06, 0.45, 0.002),
    'quil01.wav': tone(660, 0.18, 0.5, harmonics=BELL) + tone(880, 0.30, 0.5, harmonics=BELL),
    'quil02.wav': tone(740, 0.20, 0.4, harmonics=BELL),
    'quil03.wav': (tone(988, 0.22, 0.5, harmonics=BELL) + tone(784, 0.22, 0.5, harmonics=BELL) +
                   tone(659, 0.45, 0.5, harmonics=BELL) + silence(0.05)),
}


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: gen_sounds.py <output folder>')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, samples in SOUNDS.items():
        write(os.path.join(out, name), samples)


if __name__ == '__main__':
    main()
