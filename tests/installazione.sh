#!/usr/bin/env bash
# The program as a user gets it: installs the build into a scratch folder whose path has a
# space and a "$", checks the folder, starts the installed program, registers the launcher
# for a scratch user, starts the program through that launcher, takes it away again, and
# looks inside the .tar.gz that cpack makes.
#   installazione.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build="$1"
sorgenti="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
errori=0
male() { echo "FAIL: $*" >&2; errori=$((errori + 1)); }

# Width and height of a PNG, from its header.
dimensioni() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

dest="$tmp/Programmi utente/Ombrazio \$1"
cmake --install "$build" --prefix "$dest" > /dev/null

for f in ombrazio ombrazio.png ombrazio@2x.png ombrazio.svg ombrazio.desktop install-launcher.sh README.md \
         translations/qtbase_it.qm; do
  [[ -f "$dest/$f" ]] || male "$f missing from the installed folder"
done
[[ -x "$dest/ombrazio" ]] || male "the program is not executable"
[[ -x "$dest/install-launcher.sh" ]] || male "install-launcher.sh is not executable"
if [[ -d "$dest/Shared/Costruzioni" ]]; then
  [[ -z "$(ls -A "$dest/Shared/Costruzioni")" ]] || male "Shared/Costruzioni is not empty"
  [[ -w "$dest/Shared/Costruzioni" ]] || male "Shared/Costruzioni is not writable by its owner"
else
  male "Shared/Costruzioni missing"
fi
[[ "$(dimensioni "$dest/ombrazio.png")" == 48x48 ]] || male "ombrazio.png is not 48 x 48"
[[ "$(dimensioni "$dest/ombrazio@2x.png")" == 96x96 ]] || male "ombrazio@2x.png is not 96 x 96"
grep -q 'viewBox="0 0 48 48"' "$dest/ombrazio.svg" || male "ombrazio.svg has no 48 x 48 view box"
# Every picture the manual shows travels with it.
while read -r immagine; do
  [[ -f "$dest/$immagine" ]] || male "README shows $immagine, which is not installed"
done < <(grep -o 'docs/[A-Za-z0-9_.-]*\.png' "$dest/README.md" | sort -u)

# The installed program starts on its own (libraries, resources) and keeps running.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$dest/ombrazio" > /dev/null 2>&1
esito=$?
set -e
[[ $esito -eq 124 ]] || male "the installed program ended by itself (status $esito)"

# The launcher, for a user whose data folder is scratch.
export XDG_DATA_HOME="$tmp/dati utente"
"$dest/install-launcher.sh" > /dev/null
launcher="$XDG_DATA_HOME/applications/ombrazio.desktop"
desktop-file-validate "$launcher" || male "the installed launcher does not validate"
[[ -f "$XDG_DATA_HOME/icons/hicolor/48x48/apps/ombrazio.png" ]] || male "48 px icon not installed"
[[ -f "$XDG_DATA_HOME/icons/hicolor/96x96/apps/ombrazio.png" ]] || male "96 px icon not installed"
[[ -f "$XDG_DATA_HOME/icons/hicolor/scalable/apps/ombrazio.svg" ]] || male "scalable icon not installed"

# What the launcher starts: a stand-in that writes down its own path, in place of the program.
if command -v gio > /dev/null 2>&1; then
  mv "$dest/ombrazio" "$dest/ombrazio.vero"
  printf '#!/bin/sh\nprintf "%%s" "$0" > "%s"\n' "$tmp/avviato" > "$dest/ombrazio"
  chmod +x "$dest/ombrazio"
  gio launch "$launcher" > /dev/null 2>&1 || male "gio could not launch the launcher"
  for _ in $(seq 50); do [[ -s "$tmp/avviato" ]] && break; sleep 0.1; done
  [[ "$(cat "$tmp/avviato" 2> /dev/null)" == "$dest/ombrazio" ]] \
    || male "the launcher started '$(cat "$tmp/avviato" 2> /dev/null)' instead of '$dest/ombrazio'"
  mv -f "$dest/ombrazio.vero" "$dest/ombrazio"
else
  echo "gio not installed: the launcher's command line was not tried" >&2
fi

"$dest/install-launcher.sh" --remove > /dev/null
[[ ! -e "$launcher" ]] || male "--remove left the launcher"
[[ ! -e "$XDG_DATA_HOME/icons/hicolor/scalable/apps/ombrazio.svg" ]] || male "--remove left the icon"

# From the source tree, for a program that was built but not installed.
"$sorgenti/tools/install-launcher.sh" "$build/ombrazio" > /dev/null
desktop-file-validate "$launcher" || male "the source-tree launcher does not validate"
grep -q "^TryExec=$(cd "$build" && pwd)/ombrazio\$" "$launcher" || male "the source-tree launcher does not start $build/ombrazio"
"$sorgenti/tools/install-launcher.sh" --remove > /dev/null

# The package: one folder with the same layout, the save folder included though empty.
cpack --config "$build/CPackConfig.cmake" -B "$tmp/pacchetto" > /dev/null
pacchetto="$(ls "$tmp"/pacchetto/Ombrazio-*.tar.gz)"
elenco="$(tar tzf "$pacchetto")"
radice="$(basename "$pacchetto" .tar.gz)"
grep -qx "$radice/ombrazio" <<< "$elenco" || male "the package has no $radice/ombrazio"
grep -qx "$radice/Shared/Costruzioni/" <<< "$elenco" || male "the package has no empty $radice/Shared/Costruzioni/"
grep -qx "$radice/translations/qtbase_it.qm" <<< "$elenco" || male "the package has no Qt Italian translation"
[[ -z "$(grep -v "^$radice/" <<< "$elenco")" ]] || male "the package has files outside $radice/"

if ((errori)); then
  exit 1
fi
echo "installed folder, launcher and package as expected"
