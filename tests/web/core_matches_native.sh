#!/bin/bash
# The core compiled to WebAssembly must behave as the native one: both
# zelk-run builds run every example program of the repository and a table of
# small programs (every source error, every way a run fails, the options),
# and standard output, standard error, exit status and every file they leave
# behind must match byte for byte. Each build works in its own copy of the
# same folder, with the same relative names, so that no path tells them apart.
#
#   core_matches_native.sh NATIVE/zelk-run WEB/zelk-run.js SOURCE_DIR [NODE]
set -u
NATIVE=$(realpath "${1:?native zelk-run}")
WEB=$(realpath "${2:?zelk-run.js}")
SRC=$(realpath "${3:?source folder}")
NODE=${4:-node}
if [ ! -f "$WEB" ]; then
    echo "web_core_matches_native: $WEB is not built (cmake --build build --target web)" >&2
    exit 1
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
N="$WORK/native"
W="$WORK/web"
mkdir -p "$N/dumps" "$W/dumps"
passed=0
failed=0

# put FILE TEXT: the same file in both folders; TEXT as printf's %b reads it.
put() {
    for d in "$N" "$W"; do
        mkdir -p "$(dirname "$d/$1")"
        printf '%b' "$2" > "$d/$1"
    done
}

# bytes FILE: the same file in both folders, its bytes from standard input.
bytes() {
    mkdir -p "$(dirname "$N/$1")" "$(dirname "$W/$1")"
    cat > "$N/$1"
    cp "$N/$1" "$W/$1"
}

# copy FROM TO: a file or folder of the repository into both folders.
copy() {
    for d in "$N" "$W"; do
        mkdir -p "$(dirname "$d/$2")"
        cp -R "$SRC/$1" "$d/$2"
    done
}

# check NAME ARGS...: runs both builds with ARGS and compares what they did.
check() {
    local name=$1 ns ws why=""
    shift
    (cd "$N" && exec "$NATIVE" "$@" > "$WORK/n.out" 2> "$WORK/n.err" < /dev/null)
    ns=$?
    (cd "$W" && exec "$NODE" "$WEB" "$@" > "$WORK/w.out" 2> "$WORK/w.err" < /dev/null)
    ws=$?
    cmp -s "$WORK/n.out" "$WORK/w.out" || why="$why stdout"
    cmp -s "$WORK/n.err" "$WORK/w.err" || why="$why stderr"
    [ "$ns" = "$ws" ] || why="$why status($ns/$ws)"
    diff -r -q "$N" "$W" > "$WORK/files" 2>&1 || why="$why files"
    if [ -z "$why" ]; then
        passed=$((passed + 1))
        return
    fi
    failed=$((failed + 1))
    echo "DIFFERS: $name:$why"
    echo "  zelk-run $*"
    diff "$WORK/n.out" "$WORK/w.out" | head -n 6 | sed 's/^/  stdout /'
    diff "$WORK/n.err" "$WORK/w.err" | head -n 6 | sed 's/^/  stderr /'
    head -n 6 "$WORK/files" | sed 's/^/  /'
    # The next case starts from the same files in both folders again.
    rm -rf "$W" && cp -R "$N" "$W"
}

# --- Every example program, with listing, state and the world it leaves. ---
copy resources/examples beispiele
for p in "$N"/beispiele/*.[Pp][Aa][Ss]; do
    name=$(basename "$p")
    check "beispiele/$name" --listing --state --dump "dumps/$name.rob" "beispiele/$name"
done
# Each task's solutions on each of its start fields, checked against the goal.
for task in "$SRC"/examples/*/; do
    t=$(basename "$task")
    copy "examples/$t" "$t"
    for sol in "$N/$t"/loesungen/*/*.pas; do
        grep -qi '^ *PROGRAM' "$sol" || continue
        rel=${sol#"$N/"}
        for start in "$N/$t"/*.ROB; do
            field=$(basename "$start" .ROB)
            case $field in *.ziel) continue ;; esac
            check "$rel on $field" --world "$t/$field.ROB" --goal "$t/$field.ziel.ROB" --goal-supply \
                --listing --state --dump "dumps/$t-${rel//\//-}-$field.rob" "$rel"
        done
    done
done

# --- Every work field of the fuzzer's corpus, read, walked on and written. ---
copy fuzz/corpus/worldfile felder
put felder/pendel.pas 'PROGRAM Pendel;\nPROCEDURE Kehrt;\nBEGIN DREHE_LINKS; DREHE_LINKS END;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO\n    IF VORNE_FREI THEN VOR ELSE KEHRT\nEND.\n'
for f in "$N"/felder/*.rob; do
    name=$(basename "$f")
    check "felder/$name" --world "felder/$name" --max-steps 5000 --state --dump "dumps/feld-$name" felder/pendel.pas
done

# --- Source errors: every parser message, each with the line it selects. ---
while IFS='|' read -r name text; do
    put "quelle/$name.pas" "$text"
    check "quelle/$name" --listing --state "quelle/$name.pas"
done <<'TABLE'
program-fehlt|BEGIN END.
bezeichner-fehlt|PROGRAM P;\nPROCEDURE ;
semikolon-fehlt|PROGRAM P\nBEGIN END.
punkt-fehlt|PROGRAM P;\nBEGIN VOR END;
punkt-fehlt-am-ende|PROGRAM P;\nBEGIN\nEND
begin-fehlt|PROGRAM P;\nVOR END.
klammer-auf-fehlt|PROGRAM P; BEGIN\nARBEITSFELD X); END.
klammer-zu-fehlt|PROGRAM P; BEGIN\nARBEITSFELD (X; END.
klammer-zu-bedingung|PROGRAM P; BEGIN\nIF (VORNE_FREI THEN VOR END.
end-oder-semikolon|PROGRAM P; BEGIN VOR\nVOR END.
semikolon-vor-else|PROGRAM P; BEGIN IF VORNE_FREI THEN VOR;\nELSE VOR END.
end-fehlt|PROGRAM P; BEGIN BEGIN IF VORNE_FREI THEN VOR;\nELSE VOR END END.
bezeichner-unbekannt|PROGRAM P; BEGIN\nLINKSUM END.
bezeichner-spaeter|PROGRAM P; BEGIN A;\nEND.\nPROCEDURE A;
until-fehlt|PROGRAM P; BEGIN\nREPEAT VOR END.
do-fehlt|PROGRAM P; BEGIN\nWHILE VORNE_FREI VOR END.
then-fehlt|PROGRAM P; BEGIN\nIF VORNE_FREI VOR END.
ausdruck-leer|PROGRAM P; BEGIN\nIF THEN VOR END.
ausdruck-or|PROGRAM P; BEGIN\nIF OR VORNE_FREI THEN VOR END.
ausdruck-and|PROGRAM P; BEGIN\nWHILE AND VORNE_FREI DO VOR END.
ausdruck-not|PROGRAM P; BEGIN\nRETURN NOT END.
doppelt|PROGRAM P;\nPROCEDURE A; PROCEDURE B; BEGIN END; BEGIN END;\nPROCEDURE B; BEGIN END;\nBEGIN END.
prozedur-als-funktion|PROGRAM P; PROCEDURE A; BEGIN END;\nBEGIN IF A THEN VOR END.
funktion-als-prozedur|PROGRAM P; FUNCTION F; BEGIN RETURN HAT_VORRAT END;\nBEGIN F END.
interface-fehlt|UNIT U;\nPROCEDURE X;
implementation-fehlt|UNIT U; INTERFACE PROCEDURE X;\nBEGIN END.
unit-end-fehlt|UNIT U; INTERFACE IMPLEMENTATION\nBEGIN END.
unit-starten|UNIT Gut;\nINTERFACE\nPROCEDURE P;\nIMPLEMENTATION\nPROCEDURE P;\nBEGIN VOR END;\nEND.\n
offen|PROGRAM Offen;\nBEGIN\n  VOR;\n
nur-der-erste|PROGRAM P; BEGIN WHILE VORNE_FREI VOR; IF THEN; X END
TABLE

# --- Scanner messages, and the encodings a program file may come in. ---
while IFS='|' read -r name text; do
    put "zeichen/$name.pas" "$text"
    check "zeichen/$name" --listing --state "zeichen/$name.pas"
done <<'TABLE'
unerlaubt-ansi|PROGRAM Gr\xfcn;\nBEGIN END.\n
unerlaubt-utf8|PROGRAM Gr\xc3\xbcn;\nBEGIN END.\n
unerlaubt-ausser-1252|PROGRAM \xe4\xb8\xad;\nBEGIN END.\n
unerlaubt-dollar|PROGRAM P;\nBEGIN VOR;$ END.\n
falsches-zeichen|PROGRAM P; BEGIN VOR; 1 END.
unerwartet|PROGRAM P;\nBEGIN VOR } END.
geschweifte-fehlt|PROGRAM P;\nBEGIN VOR { offen\nEND.
stern-klammer-fehlt|PROGRAM P;\nBEGIN VOR (* offen\nEND.
direktive|PROGRAM P; {$ D- } BEGIN VOR END }
utf8-mit-bom|\xef\xbb\xbfPROGRAM U; { Gr\xc3\xbc\xc3\x9fe \xe2\x82\xac \xe4\xb8\xad }\nBEGIN VOR END.\n
ansi-kommentar|PROGRAM A; { Gr\xfc\xdfe }\r\nBEGIN VOR END.\r\n
nul-in-der-mitte|PROGRAM N;\r\nBEGIN VOR\x00\x00\r\nEND.\r\n
TABLE
put zeichen/lang.pas "PROGRAM L;\nBEGIN\n$(printf 'A%.0s' $(seq 90))\nEND.\n"
check zeichen/lang --state zeichen/lang.pas
{ printf 'PROGRAM N;\r\nBEGIN VOR END.\r\n'; head -c 512 /dev/zero; } | bytes zeichen/nul-am-ende.pas
check zeichen/nul-am-ende --state zeichen/nul-am-ende.pas

# --- Units: found in another case, chained, missing, wrong, faulty. ---
put einheiten/werkzeug.pas 'UNIT Werkzeug;\nINTERFACE\nPROCEDURE Rechts;\nIMPLEMENTATION\nPROCEDURE Rechts;\nBEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;\nEND.\n'
put einheiten/mitunit.pas 'PROGRAM MitUnit;\nUSES Werkzeug;\nBEGIN\n  RECHTS\nEND.\n'
check einheiten/gefunden --listing --state einheiten/mitunit.pas
put einheiten/ohne.pas 'PROGRAM Ohne;\nUSES Fehlt;\nBEGIN\nEND.\n'
check einheiten/nicht-gefunden --state einheiten/ohne.pas
put einheiten/keine.pas 'PROGRAM Keine;\nBEGIN END.\n'
put einheiten/nimmt.pas 'PROGRAM P;\nUSES Keine; BEGIN END.\n'
check einheiten/keine-unit --state einheiten/nimmt.pas
put einheiten/HILFE.PAS 'UNIT Hilfe;\nINTERFACE\nPROCEDURE Eins;\nIMPLEMENTATION\nPROCEDURE Eins;\nBEGIN\n  NIMM_AUF;\n  SPRINGE;\nEND;\nEND.\n'
put einheiten/nutzer.pas 'PROGRAM Nutzer;\nUSES Hilfe;\nBEGIN\n  EINS\nEND.\n'
check einheiten/fehler-in-unit --state einheiten/nutzer.pas
# A chain of units, each using the next, nests as deep as any block: 198 is
# the longest the translator takes, the deepest the machine stack goes.
for n in 198 199; do
    for i in $(seq 1 $n); do
        if [ "$i" -lt "$n" ]; then
            put "kette$n/u$i.pas" "UNIT U$i;\nINTERFACE\nUSES U$((i + 1));\nPROCEDURE P$i;\nIMPLEMENTATION\nPROCEDURE P$i; BEGIN P$((i + 1)) END;\nEND.\n"
        else
            put "kette$n/u$i.pas" "UNIT U$i;\nINTERFACE\nPROCEDURE P$i;\nIMPLEMENTATION\nPROCEDURE P$i; BEGIN VOR END;\nEND.\n"
        fi
    done
    put "kette$n/kette.pas" 'PROGRAM Kette;\nUSES U1;\nBEGIN P1 END.\n'
    check "einheiten/kette-aus-$n" --listing --state "kette$n/kette.pas"
done

# --- The translator's limits: the table, work fields, nesting, hostile text. ---
put grenzen/voll.pas "PROGRAM P; BEGIN\n$(printf 'VOR;\\n%.0s' $(seq 999))END."
check grenzen/tabelle-voll --state grenzen/voll.pas
put grenzen/passt.pas "PROGRAM P; BEGIN\n$(printf 'VOR;\\n%.0s' $(seq 998))END."
check grenzen/tabelle-passt --listing --max-steps 100 --state grenzen/passt.pas
elf="PROGRAM P;\n"
for i in $(seq 0 9); do elf="${elf}PROCEDURE P$i; BEGIN ARBEITSFELD(F$i); END;\n"; done
put grenzen/elf.pas "${elf}BEGIN ARBEITSFELD (LAST); VOR END."
check grenzen/elf-arbeitsfelder --listing grenzen/elf.pas
# Nesting exactly to the translator's limit and one beyond: the deepest the
# machine stack goes. A block, the IF and its condition take three levels.
for n in 197 198; do
    put "grenzen/klammern$n.pas" "PROGRAM P; BEGIN IF $(head -c $n /dev/zero | tr '\0' '(')VORNE_FREI$(head -c $n /dev/zero | tr '\0' ')') THEN VOR END."
    check "grenzen/klammern$n" --listing --state "grenzen/klammern$n.pas"
    put "grenzen/not$n.pas" "PROGRAM P; BEGIN WHILE $(printf 'NOT %.0s' $(seq $n))VORNE_FREI DO VOR END."
    check "grenzen/not$n" --listing --state "grenzen/not$n.pas"
done
for n in 198 199; do
    put "grenzen/bloecke$n.pas" "PROGRAM P; BEGIN $(printf 'BEGIN %.0s' $(seq $n))VOR$(printf ' END%.0s' $(seq $n)) END."
    check "grenzen/bloecke$n" --listing --state "grenzen/bloecke$n.pas"
done
perl -e 'my $s = 12345; for (1 .. 1 << 20) { $s = ($s * 1103515245 + 12345) % 4294967296; print chr(($s >> 23) & 255) }' |
    bytes wild/zufall.pas
head -c 1000000 /dev/zero | tr '\0' '(' | bytes wild/klammern.pas
{ printf 'PROGRAM P;\nBEGIN\n  IF '; head -c 1000000 /dev/zero | tr '\0' '('; } | bytes wild/if-klammern.pas
{ printf 'PROGRAM P;\nBEGIN\n'; head -c 1000000 /dev/zero | tr '\0' '\n'; printf '  VOR;\n  SPRINGE\nEND.'; } | bytes wild/zeilen.pas
{ printf 'PROGRAM P;\nBEGIN\n'; yes 'BEGIN' | head -n 170000 | tr '\n' ' '; printf '\nEND.'; } | bytes wild/begins.pas
{ printf 'PROGRAM P; '; for i in $(seq 0 99999); do printf 'PROCEDURE A%d;' "$i"; done; } | bytes wild/prozeduren.pas
printf '\0\0\0PROGRAM' | bytes wild/nul-vorn.pas
{ printf 'PROGRAM Gross;\nBEGIN\n  VOR\nEND.\n{'; head -c 2097152 /dev/zero | tr '\0' x; printf '}'; } | bytes wild/gross.pas
for f in zufall klammern if-klammern zeilen begins prozeduren nul-vorn gross; do
    check "wild/$f" --listing "wild/$f.pas"
done

# --- Run-time failures, each with the line of its instruction. ---
copy fuzz/corpus/worldfile/voll_ecke.rob lauf/voll.rob
copy fuzz/corpus/worldfile/falsche_kennung.rob lauf/KAPUTT.ROB
while IFS='|' read -r name options text; do
    put "lauf/$name.pas" "$text"
    # shellcheck disable=SC2086 # the options are words
    check "lauf/$name" $options --state --dump "dumps/lauf-$name.rob" "lauf/$name.pas"
done <<'TABLE'
wand||PROGRAM Wand;\nBEGIN\n  DREHE_LINKS;\n  DREHE_LINKS;\n  VOR;\n  VOR\nEND.\n
leerer-platz||PROGRAM Leer;\nBEGIN\n  NIMM_AUF\nEND.\n
kein-vorrat||PROGRAM Nichts;\nBEGIN\n  VOR;\n  GIB_AB\nEND.\n
voller-platz|--world lauf/voll.rob|PROGRAM Voll;\nBEGIN\n  GIB_AB\nEND.\n
voller-vorrat|--world lauf/voll.rob|PROGRAM Voll;\nBEGIN\n  NIMM_AUF\nEND.\n
feld-fehlt||PROGRAM Feld;\nBEGIN\n  ARBEITSFELD(Nirgends);\n  VOR\nEND.\n
feld-falsch||PROGRAM Feld;\nBEGIN\n  VOR;\n  ARBEITSFELD(kaputt)\nEND.\n
feld-geladen||PROGRAM Feld;\nBEGIN\n  ARBEITSFELD(VOLL);\n  NIMM_AUF; NIMM_AUF\nEND.\n
endlose-rekursion||PROGRAM Tief;\nPROCEDURE R;\nBEGIN\n  VOR;\n  R\nEND;\nBEGIN\n  DREHE_LINKS;\n  R\nEND.\n
mehrere-returns||PROGRAM Viel;\nFUNCTION Zwei;\nBEGIN\nRETURN NOT PLATZ_BELEGT;\nRETURN NOT PLATZ_BELEGT\nEND;\nBEGIN\nWHILE Zwei DO DREHE_LINKS\nEND.\n
ohne-return||PROGRAM S;\nFUNCTION F;\nBEGIN\n  VOR\nEND;\nBEGIN\n  IF F THEN VOR\nEND.\n
schrittgrenze-4|--max-steps 4|PROGRAM Dreh;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO\n    DREHE_LINKS\nEND.\n
schrittgrenze-5|--max-steps=5|PROGRAM Dreh;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO\n    DREHE_LINKS\nEND.\n
schrittgrenze-vorgabe||PROGRAM Dreh;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO\n    DREHE_LINKS\nEND.\n
genau-genug|--max-steps 3|PROGRAM K; BEGIN VOR END.
abschalten||program aus; begin vor; drehe_links; abschalten; vor end.
ohne-unterstrich|--no-underscore|PROGRAM Z;\nBEGIN\n  DREHELINKS;\n  IF VORNEFREI THEN VOR\nEND.\n
nur-uebersetzen|--no-run --listing|PROGRAM K; BEGIN VOR END.
TABLE

# --- Options, refusals and files that cannot be read or written. ---
put arg/p.pas 'PROGRAM P; BEGIN VOR END.'
put arg/--state.pas 'PROGRAM P; BEGIN VOR END.'
bytes arg/falsch.rob < "$SRC/fuzz/corpus/worldfile/kurz.rob"
mkdir -p "$N/arg/ordner.rob" "$W/arg/ordner.rob"
while IFS='|' read -r name options; do
    # shellcheck disable=SC2086
    check "arg/$name" $options
done <<'TABLE'
nichts|
hilfe|--help
h|-h
version|arg/p.pas --version
unbekannt|--bogus arg/p.pas
kurz-unbekannt|-x arg/p.pas
schritte-abc|--max-steps abc arg/p.pas
schritte-negativ|--max-steps -1 arg/p.pas
world-ohne-wert|arg/p.pas --world
zwei-programme|arg/p.pas arg/p.pas
state-mit-wert|--state=1 arg/p.pas
dump-leer|--dump= arg/p.pas
mehrdeutig|--no arg/p.pas
nach-strichen|--world=arg/falsch.rob -- arg/--state.pas
optionen-danach|arg/--state.pas --state --listing
programm-fehlt|arg/fehlt.pas
programm-ist-ordner|arg
world-fehlt|--world arg/fehlt.rob arg/p.pas
world-falsch|--world arg/falsch.rob arg/p.pas
ziel-fehlt|--goal arg/fehlt.rob arg/p.pas
dump-ordner-fehlt|--no-run --dump arg/fehlt/ende.rob arg/p.pas
dump-auf-ordner|--dump arg/ordner.rob arg/p.pas
dump-neu|--state --dump arg/ende.rob arg/p.pas
dump-ueber-alte-datei|--world arg/ende.rob --state --dump arg/ende.rob arg/p.pas
TABLE

# --- What only the native build can: --task needs a process per solution. ---
(cd "$W" && "$NODE" "$WEB" --task "$SRC/examples/aufgabe-sammeln" arg/p.pas > "$WORK/w.out" 2> "$WORK/w.err" < /dev/null)
status=$?
if [ "$status" = 64 ] && grep -q -- '--task geht in dieser Ausgabe (WebAssembly) nicht' "$WORK/w.err"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "DIFFERS: --task in the WebAssembly build: status $status, not refused with a reason"
fi

echo "web_core_matches_native: $passed passed, $failed failed"
[ "$failed" = 0 ]
