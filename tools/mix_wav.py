#!/usr/bin/env python3
"""Adds 16-bit mono WAV recordings of one sample rate sample by sample, clipped at full scale:
several beacons on one band from fault_wav's recordings of each.
  tools/mix_wav.py IN.wav IN.wav [IN.wav ...] OUT.wav"""
import array
import sys
import wave


def main(paths, out):
    recordings = []
    for path in paths:
        with wave.open(path, "rb") as w:
            if w.getsampwidth() != 2 or w.getnchannels() != 1:
                sys.exit(f"mix_wav: {path}: not 16-bit mono")
            recordings.append((w.getframerate(), array.array("h", w.readframes(w.getnframes()))))
    rates = {rate for rate, _ in recordings}
    if len(rates) != 1:
        sys.exit("mix_wav: the recordings' sample rates differ")
    length = max(len(samples) for _, samples in recordings)
    mix = array.array("h", bytes(2 * length))
    for n in range(length):
        total = sum(samples[n] for _, samples in recordings if n < len(samples))
        mix[n] = max(-32768, min(32767, total))
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rates.pop())
        w.writeframes(mix.tobytes())


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1:-1], sys.argv[-1])
