"""check_wav.py FILE.wav FRAMES FPS: the sound swf-render wrote for FRAMES frames at FPS
is 44 100 Hz 16-bit stereo, exactly FRAMES / FPS seconds long, and not silent."""
import math
import struct
import sys
import wave

path, frames, fps = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
with wave.open(path, 'rb') as w:
    assert w.getframerate() == 44100, w.getframerate()
    assert w.getnchannels() == 2 and w.getsampwidth() == 2
    expected = round(frames * 44100 / fps)
    assert w.getnframes() == expected, (w.getnframes(), expected)
    data = w.readframes(w.getnframes())
samples = struct.unpack('<%dh' % (len(data) // 2), data)
rms = math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768
assert rms > 0.01, 'silent: rms %f' % rms
print('ok: %d frames, rms %.3f' % (expected, rms))
