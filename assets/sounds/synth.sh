#!/bin/sh
# Synthesizes the game's sounds with sox. Usage: synth.sh collect|gameover OUT.wav
# Every sound is 48 kHz, 16-bit mono, the rate the game's sound output runs at.
set -eu
name=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fmt="-r 48000 -c 1 -b 16"

# tone FILE SECONDS WAVE FREQ FADE_OUT: one note with a short attack and a soft release
tone() {
  sox -n $fmt "$tmp/$1.wav" synth "$2" "$3" "$4" fade q 0.008 "$2" "$5" gain -1
}

case "$name" in
  collect)
    # a bright two-note chime, E6 then B6, each with its octave shimmering above it
    tone a 0.10 sine 1318.5 0.06
    tone b 0.34 sine 1975.5 0.30
    tone a2 0.10 sine 2637.0 0.06
    tone b2 0.34 sine 3951.1 0.30
    sox -m -v 0.7 "$tmp/a.wav" -v 0.2 "$tmp/a2.wav" "$tmp/low.wav"
    sox -m -v 0.7 "$tmp/b.wav" -v 0.2 "$tmp/b2.wav" "$tmp/high.wav"
    sox "$tmp/low.wav" "$tmp/high.wav" "$tmp/chime.wav"
    sox "$tmp/chime.wav" $fmt "$tmp/out.wav" gain -8 reverb 30 50 40 gain -n -3
    ;;
  gameover)
    # a sad trombone: three falling notes, then a long low one that wobbles away
    tone n1 0.30 triangle 392.0 0.08
    tone n2 0.30 triangle 370.0 0.08
    tone n3 0.30 triangle 349.2 0.08
    sox -n $fmt "$tmp/n4.wav" synth 1.10 triangle 329.6 fade q 0.01 1.10 0.7 tremolo 6 40 gain -1
    sox "$tmp/n1.wav" "$tmp/n2.wav" "$tmp/n3.wav" "$tmp/n4.wav" "$tmp/line.wav"
    sox "$tmp/line.wav" $fmt "$tmp/out.wav" lowpass 2400 gain -8 reverb 20 50 30 gain -n -3
    ;;
  *)
    echo "unknown sound: $name" >&2
    exit 1
    ;;
esac
mv "$tmp/out.wav" "$out"
