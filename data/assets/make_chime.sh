#!/bin/sh
# Synthesise data/dist/romance.mp3, the notice played when the double-hour changes:
# three soft bell strokes rising through an E major chord (E5, G#5, B5), each a
# fundamental with a few inharmonic partials that die away faster than it does.
# Needs sox and lame; -R keeps sox's dither repeatable, so reruns give the same file.
# Run from anywhere: sh data/assets/make_chime.sh
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out="$root/data/dist/romance.mp3"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rate=44100

# partial <file> <freq> <seconds> <volume>: a sine struck at once and fading out logarithmically
partial() {
    sox -R -n -r $rate -c 1 -b 16 "$1" synth "$3" sine "$2" fade l 0.008 "$3" "$3" vol "$4"
}

# bell <file> <fundamental Hz> <delay s>
bell() {
    f=$2
    partial "$tmp/p1.wav" "$f" 2.4 0.55
    partial "$tmp/p2.wav" "$(awk "BEGIN{print $f * 2}")" 1.3 0.22
    partial "$tmp/p3.wav" "$(awk "BEGIN{print $f * 2.76}")" 0.8 0.10
    partial "$tmp/p4.wav" "$(awk "BEGIN{print $f * 5.40}")" 0.35 0.04
    sox -R -m "$tmp/p1.wav" "$tmp/p2.wav" "$tmp/p3.wav" "$tmp/p4.wav" "$tmp/b.wav"
    sox -R "$tmp/b.wav" "$1" pad "$3"
}

bell "$tmp/n1.wav" 659.26 0
bell "$tmp/n2.wav" 830.61 0.38
bell "$tmp/n3.wav" 987.77 0.76
sox -R -m "$tmp/n1.wav" "$tmp/n2.wav" "$tmp/n3.wav" "$tmp/mix.wav" \
    reverb 35 50 60 gain -n -4 fade t 0 3.1 0.3
lame --quiet -m m -b 96 --noreplaygain "$tmp/mix.wav" "$out"
echo "$(basename "$out"): $(wc -c < "$out") bytes"
