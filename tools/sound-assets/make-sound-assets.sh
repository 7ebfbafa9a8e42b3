#!/usr/bin/env bash
# make-sound-assets.sh OUTDIR: the sound that tests and the sample lessons are made with,
# written at build time: test tones encoded to MP3, and each lesson's spoken sentence
# (speech synthesizer, then MP3 encoder). Needs python3, espeak-ng and lame.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Tones: 1 s at 22 050 Hz mono (440 Hz, half of full scale) and 44 100 Hz stereo
# (440 Hz left, 660 Hz right, a quarter of full scale).
python3 "$here/tone.py" "$tmp/mono.wav" 22050 1 0.5 440
python3 "$here/tone.py" "$tmp/stereo.wav" 44100 2 0.25 440 660
# -t: no info frame, so the file is MP3 frames only, as movie files hold them.
lame --quiet -t -b 64 -m m "$tmp/mono.wav" "$out/tone-22k-mono.mp3"
lame --quiet -t -b 128 -m s "$tmp/stereo.wav" "$out/tone-44k-stereo.mp3"

n=0
while IFS= read -r sentence; do
  [ -n "$sentence" ] || continue
  n=$((n + 1))
  espeak-ng -v en-us -s 140 -w "$tmp/speech.wav" "$sentence"
  lame --quiet -t -b 32 -m m --resample 22.05 "$tmp/speech.wav" "$out/$(printf 'speech-%02d.mp3' $n)"
done < "$here/sentences.txt"
