"""tone.py OUT.wav RATE CHANNELS LEVEL FREQ [FREQ2]: one second of sine, 16-bit PCM.
With two channels the second frequency (default the first) goes to the right."""
import math
import struct
import sys
import wave

out, rate, channels, level, freq = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]), float(sys.argv[5])
freqs = [freq, float(sys.argv[6]) if len(sys.argv) > 6 else freq][:channels]
frames = bytearray()
for i in range(rate):
    for f in freqs:
        frames += struct.pack('<h', int(round(level * 32767 * math.sin(2 * math.pi * f * i / rate))))
with wave.open(out, 'wb') as w:
    w.setnchannels(channels)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(bytes(frames))
