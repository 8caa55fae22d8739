#!/bin/sh
# Converts the word store into a StarDict dictionary with Debian's stardict-tools, for the peer
# program the start-up bench compares with. Usage: stardict.sh <word store> <output folder>
set -eu
store=$1
out=$2
tabfile=/usr/lib/stardict-tools/tabfile
[ -x "$tabfile" ] || { echo "stardict-tools is not installed" >&2; exit 1; }
mkdir -p "$out"
# One line per word: the word, a tab, then reading and explanation with line breaks as \n.
sqlite3 -readonly "$store" -separator '	' \
    "select word, replace(replace(spell || char(10) || content, char(13), ''), char(10), '\n') from dict where word <> ''" \
    >"$out/words.txt"
(cd "$out" && "$tabfile" words.txt >/dev/null 2>&1)
rm -f "$out/words.txt"
[ -s "$out/words.ifo" ]
