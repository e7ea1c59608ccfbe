#!/usr/bin/env bash
# Writes a small demo board into a program folder: sounds generated with sox into FOLDER/demo/
# and FOLDER/Demo.set with two named pages, so that a first start has something to play.
# Usage: demo-board.sh FOLDER   (prints the set file's path)
set -euo pipefail
folder="$(cd "${1:?usage: demo-board.sh FOLDER}" && pwd)"
sounds="$folder/demo"
mkdir -p "$sounds"
make() { # name, seconds, sox effect chain...
  local name="$1" seconds="$2"
  shift 2
  [ -s "$sounds/$name.wav" ] || sox -n -r 44100 -c 2 -b 16 "$sounds/$name.wav" synth "$seconds" "$@" 2>/dev/null
}
make "Goal Horn" 3 sawtooth 233 sawtooth 294 sawtooth 349 vol 0.25 fade 0.05 3 0.4
make "Charge" 2.5 square 392-784 vol 0.2 fade 0 2.5 0.3
make "Whistle" 1.5 sine 2800 sine 2850 tremolo 28 80 vol 0.3 fade 0.02 1.5 0.1
make "Crowd" 8 pinknoise vol 0.35 fade 1 8 2
make "Drum Roll" 3 brownnoise tremolo 18 90 vol 0.6 fade 0.5 3 0.2
make "Organ" 4 sine 262 sine 330 sine 392 vol 0.25 fade 0.1 4 0.5
make "Beep" 0.4 sine 1000 vol 0.4
make "Fanfare" 3 square 523 square 659 square 784 vol 0.15 fade 0.05 3 0.5

set_file="$folder/Demo.set"
{
  printf '[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n'
  printf '[Page1]\r\nPageName=Game Day\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n'
  n=0
  for entry in "Goal Horn:00:03:0G" "Charge:00:03:0C" "Whistle:00:02:0W" "Drum Roll:00:03:0D" "Fanfare:00:03:0F"; do
    n=$((n + 1))
    IFS=: read -r name minutes seconds key <<<"$entry"
    printf 'c%d=%s\r\ns%d=%s\r\nt%d=%s:%s\r\nh%d=%s\r\n' "$n" "$name" "$n" "$sounds/$name.wav" "$n" \
      "$minutes" "$seconds" "$n" "$key"
  done
  printf '\r\n[Page2]\r\nPageName=Crowd\r\nPagePlay=T\r\nRapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n'
  n=0
  for entry in "Crowd:00:08" "Organ:00:04" "Beep:00:01"; do
    n=$((n + 1))
    IFS=: read -r name minutes seconds <<<"$entry"
    printf 'c%d=%s\r\ns%d=%s\r\nt%d=%s:%s\r\n' "$n" "$name" "$n" "$sounds/$name.wav" "$n" "$minutes" "$seconds"
  done
  printf '\r\n'
} >"$set_file"
echo "$set_file"
