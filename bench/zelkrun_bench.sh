#!/bin/sh
# Times whole zelk-run processes on a typical task: a program with a unit
# that loads a work field, walks every row collecting items and ends normally.
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
python3 - "$WORK/AUFGABE.ROB" <<'PY'
import struct, sys
rec = struct.pack('<iiiiB3x', 201749, 0, 1, 1, 0)
for y in range(1, 11):
    for x in range(1, 16):
        rec += struct.pack('<iBBBB', 1 if y == 1 else 0, x < 15, y < 10, x > 1, y > 1)
assert len(rec) == 1220
open(sys.argv[1], 'wb').write(rec)
PY

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

echo "zelk-run: $ZELK_RUN"
"$ZELK_RUN" --state "$WORK/aufgabe.pas" || true

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --warmup 3 --runs "$RUNS" -N "$ZELK_RUN --state $WORK/aufgabe.pas"
else
    start=$(date +%s%N)
    i=0
    while [ $i -lt "$RUNS" ]; do
        "$ZELK_RUN" --state "$WORK/aufgabe.pas" >/dev/null || true
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "$RUNS runs, mean $(( (end - start) / RUNS / 1000 )) us per run"
fi
