#!/bin/sh
# Times whole zelk-run processes on a typical task: a program with a unit
# that loads a work field, walks every row collecting items and ends normally.
# Then ten million steps of an endless loop, cut by the step limit.
# Uses hyperfine when it is installed, else a loop timed with date.
#
#   bench/zelkrun_bench.sh [path/to/zelk-run] [runs]
set -e
ZELK_RUN=${1:-build/zelk-run}
RUNS=${2:-50}
[ -x "$ZELK_RUN" ] || { echo "zelk-run not found at $ZELK_RUN (build it first)" >&2; exit 1; }
ZELK_RUN=$(cd "$(dirname "$ZELK_RUN")" && pwd)/$(basename "$ZELK_RUN")

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The work field: robot at (1,1) facing east, one item on every square of the
# bottom row, written byte by byte (little-endian, border blocked).
{
    printf '\025\024\003\000'                      # identification 201749
    printf '\000\000\000\000\001\000\000\000'      # Vorrat 0, Y 1
    printf '\001\000\000\000\000\000\000\000'      # X 1, Richtung Ost, reserved
    y=1
    while [ $y -le 10 ]; do
        x=1
        while [ $x -le 15 ]; do
            [ $y -eq 1 ] && printf '\001\000\000\000' || printf '\000\000\000\000'
            # sides east, north, west, south: open unless on the border
            printf "\\00$((x < 15))\\00$((y < 10))\\00$((x > 1))\\00$((y > 1))"
            x=$((x + 1))
        done
        y=$((y + 1))
    done
} > "$WORK/AUFGABE.ROB"
[ "$(wc -c < "$WORK/AUFGABE.ROB")" -eq 1220 ]

cat > "$WORK/werkzeug.pas" <<'PAS'
UNIT Werkzeug;
INTERFACE
PROCEDURE Rechts;
PROCEDURE Sammle;
IMPLEMENTATION
PROCEDURE Rechts;
BEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;
PROCEDURE Sammle;
BEGIN WHILE PLATZ_BELEGT DO NIMM_AUF END;
END.
PAS

cat > "$WORK/aufgabe.pas" <<'PAS'
PROGRAM Aufgabe;
USES Werkzeug;
PROCEDURE Bahn;
BEGIN
  SAMMLE;
  WHILE VORNE_FREI DO BEGIN VOR; SAMMLE END
END;
BEGIN
  ARBEITSFELD(Aufgabe);
  { Serpentine over all rows, bottom to top. }
  REPEAT
    BAHN;
    IF OSTWAERTS THEN BEGIN DREHE_LINKS; IF VORNE_FREI THEN BEGIN VOR; DREHE_LINKS END END
    ELSE BEGIN RECHTS; IF VORNE_FREI THEN BEGIN VOR; RECHTS END END
  UNTIL NORDWAERTS;
  GIB_AB; GIB_AB; GIB_AB
END.
PAS

# An endless loop stopped by the default step limit: ten million
# instructions, so the time is the interpreter's speed.
printf 'PROGRAM Kreis;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.\n' > "$WORK/kreis.pas"

echo "zelk-run: $ZELK_RUN"
"$ZELK_RUN" --state "$WORK/aufgabe.pas" || true

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --warmup 3 --runs "$RUNS" -N "$ZELK_RUN --state $WORK/aufgabe.pas"
    hyperfine --warmup 1 --runs 10 -i -N "$ZELK_RUN $WORK/kreis.pas"
else
    start=$(date +%s%N)
    i=0
    while [ $i -lt "$RUNS" ]; do
        "$ZELK_RUN" --state "$WORK/aufgabe.pas" >/dev/null || true
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "task: $RUNS runs, mean $(( (end - start) / RUNS / 1000 )) us per run"
    start=$(date +%s%N)
    "$ZELK_RUN" "$WORK/kreis.pas" >/dev/null || true
    end=$(date +%s%N)
    echo "10000000 steps: $(( (end - start) / 1000000 )) ms"
fi
