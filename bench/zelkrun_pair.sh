#!/bin/bash
# Times two zelk-run builds against each other on the same program and the
# same number of steps, alternating their runs, so that a busy shared
# machine slows both alike. Prints each run, then the medians of wall clock
# and user CPU time and the ratio new / old.
#
#   bench/zelkrun_pair.sh OLD/zelk-run NEW/zelk-run [runs] [steps]
#
# With CALLGRIND=1 it also counts the instructions of one run of each under
# valgrind's callgrind: a figure that other work on the machine cannot move.
set -e
OLD=${1:?old zelk-run}
NEW=${2:?new zelk-run}
RUNS=${3:-5}
STEPS=${4:-100000000}
for z in "$OLD" "$NEW"; do
    [ -x "$z" ] || { echo "not executable: $z" >&2; exit 1; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Walks from wall to wall for ever: sensor tests, NOT, an IF, moves and a
# procedure call, cut by the step limit.
cat > "$WORK/pendel.pas" <<'PAS'
PROGRAM Pendel;
PROCEDURE Kehrt;
BEGIN DREHE_LINKS; DREHE_LINKS END;
BEGIN
  WHILE NOT PLATZ_BELEGT DO
    IF VORNE_FREI THEN VOR ELSE KEHRT
END.
PAS

# One run: "wall user" in seconds. Status 3 is the step limit.
einmal() {
    local TIMEFORMAT='%R %U'
    { time "$1" --max-steps "$STEPS" "$WORK/pendel.pas" >/dev/null 2>&1 || [ $? -eq 3 ]; } 2>&1
}

median() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

: > "$WORK/old" && : > "$WORK/new"
for i in $(seq "$RUNS"); do
    o=$(einmal "$OLD") && echo "$o" >> "$WORK/old"
    n=$(einmal "$NEW") && echo "$n" >> "$WORK/new"
    echo "run $i: old $o   new $n   (wall s, user s)"
done
ow=$(cut -d' ' -f1 "$WORK/old" | median); ou=$(cut -d' ' -f2 "$WORK/old" | median)
nw=$(cut -d' ' -f1 "$WORK/new" | median); nu=$(cut -d' ' -f2 "$WORK/new" | median)
echo "median of $RUNS runs of $STEPS steps:"
echo "  old: wall $ow s, user $ou s"
echo "  new: wall $nw s, user $nu s"
awk -v ow="$ow" -v nw="$nw" -v ou="$ou" -v nu="$nu" \
    'BEGIN { printf "  new / old: wall %.3f, user %.3f\n", nw / ow, nu / ou }'

if [ "${CALLGRIND:-0}" = 1 ]; then
    for z in "$OLD" "$NEW"; do
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$z" --max-steps "$STEPS" \
            "$WORK/pendel.pas" 2>&1 >/dev/null | awk -v z="$z" '/Collected/ { print "  callgrind " z ": " $4 " instructions" }'
    done
fi
