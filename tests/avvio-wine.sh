#!/usr/bin/env bash
# The Windows zip as a user meets it: unpacked into a folder whose path has a space, its
# layout checked, the program started from it under Wine with nothing else on the path,
# F10 opens the notes, Alt+F4 asks "Confermi uscita dal programma?" and "SI" ends it.
# Each step is photographed into the output folder.
#   avvio-wine.sh ZIP OUTPUT_DIR      (DISPLAY and WINEPREFIX set, as build-windows.sh does)
set -euo pipefail
zip=$1
uscita=$2
WINE64=/usr/lib/wine/wine64
rm -rf "$uscita" && mkdir -p "$uscita"
tmp=$(mktemp -d)
pid=""
trap '[[ -n $pid ]] && kill $pid 2>/dev/null; rm -rf "$tmp"' EXIT
errori=0
male() { echo "FAIL: $*" >&2; errori=$((errori + 1)); }
foto() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$uscita/$1.png" 2>/dev/null; }
# The X window of the program (Wine marks each with its process) whose title holds $1, once it has the keyboard focus (Wine gives it to the
# window it has activated, ready for keys), waited for as long as a slow machine may need;
# empty if that never happens.
attiva() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
finestra() {
  local id
  id=$(timeout "${2:-60}" xdotool search --all --sync --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n 1 || true)
  [[ -n $id ]] || return 0
  for _ in $(seq 300); do attiva "$id" && break; sleep 0.1; done
  attiva "$id" && echo "$id"
  return 0
}
# Until no visible window's title holds $1.
chiusa() { for _ in $(seq 300); do xdotool search --all --onlyvisible --pid "$pid" --name "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }

dest="$tmp/Giochi e svago"
mkdir -p "$dest"
(cd "$dest" && cmake -E tar xf "$zip")

# One folder, holding what the program needs and nothing of the build.
[[ "$(ls -A "$dest")" == Ombrazio ]] || male "the zip does not hold exactly one folder Ombrazio: $(ls -A "$dest")"
cartella=$dest/Ombrazio
for f in ombrazio.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll libgcc_s_seh-1.dll \
  libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll README.md; do
  [[ -f "$cartella/$f" ]] || male "$f missing from the zip"
done
if [[ -d "$cartella/Shared/Costruzioni" ]]; then
  [[ -z "$(ls -A "$cartella/Shared/Costruzioni")" ]] || male "Shared/Costruzioni is not empty"
else
  male "Shared/Costruzioni missing from the zip"
fi
file "$cartella/ombrazio.exe" | grep -q 'PE32+ executable (GUI) x86-64' || male "ombrazio.exe is not a 64-bit GUI program"
# The icon and the version travel inside the .exe.
x86_64-w64-mingw32-objdump -h "$cartella/ombrazio.exe" | grep -q '\.rsrc' || male "ombrazio.exe has no resources"
strings -el "$cartella/ombrazio.exe" | grep -q '^Ombrazio - costruzione matrici$' || male "ombrazio.exe has no version information"
x86_64-w64-mingw32-objdump -h "$cartella/ombrazio.exe" | grep -q '\.debug' && male "ombrazio.exe is not stripped"
find "$cartella" -type f | sort | sed "s|^$cartella/|  |" >"$uscita/contenuto.txt"
((errori == 0)) || exit 1

# Started as a double click would: from its folder, finding its libraries beside it alone.
(cd "$cartella" && exec env -u WINEPATH -u WINEQT_QPA_PLATFORM -u WINEQT_QPA_FONTDIR \
  $WINE64 ombrazio.exe >"$uscita/wine.log" 2>&1) &
pid=$!
principale=$(finestra 'Press <F10> to Info')
[[ -n $principale ]] || { male "the main window did not appear"; exit 1; }
titolo=$(xdotool getwindowname "$principale")
[[ $titolo == "Ombrazio® - by Pindarolesca - Press <F10> to Info" ]] || male "window title '$titolo'"
# Keys for a window, once it has the focus again (a closed dialog hands it back).
premi() {
  local id=$1
  shift
  for _ in $(seq 300); do attiva "$id" && break; sleep 0.1; done
  xdotool key "$@"
}
foto 1-finestra

premi "$principale" F10
info=$(finestra 'Informazione')
if [[ -n $info ]]; then
  foto 2-informazione
  premi "$info" Return
  chiusa 'Informazione' || male "Enter did not close the notes"
else
  male "F10 did not open the notes"
fi

# Until the notes' modal loop has fully ended the main window takes no keys, and nothing
# outside shows that moment: Alt+F4 is pressed again until the question comes up.
domanda=""
for _ in $(seq 10); do
  premi "$principale" alt+F4
  for _ in $(seq 30); do
    xdotool search --all --onlyvisible --pid "$pid" --name 'Messaggio di Servizio' >/dev/null 2>&1 && break
    sleep 0.1
  done
  domanda=$(finestra 'Messaggio di Servizio' 1)
  [[ -n $domanda ]] && break
done
if [[ -n $domanda ]]; then
  foto 3-domanda
  # The focus starts on "NO"; Tab moves it to "SI".
  premi "$domanda" Tab Return
else
  male "Alt+F4 did not ask to confirm"
fi

esito=0
for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  male "the program did not end after SI"
else
  wait $pid || esito=$?
  pid=""
  ((esito == 0)) || male "the program ended with status $esito"
fi
[[ -z "$(ls -A "$cartella/Shared/Costruzioni")" ]] || male "something was saved without SALVA"
((errori == 0)) || exit 1
echo "avvio-wine.sh: the unzipped program started, showed its notes and closed; pictures in $uscita"
