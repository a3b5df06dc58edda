#!/usr/bin/env bash
# Puts Ombrazio in the current user's application menu: a launcher and the icon at 48 px,
# 96 px and scalable, under ${XDG_DATA_HOME:-~/.local/share}. Nothing outside the user's
# home is touched and no root rights are needed.
#
#   install-launcher.sh [PROGRAM]           install, or update after moving the folder
#   install-launcher.sh --remove            take the launcher and the icons away again
#
# PROGRAM is the ombrazio executable; by default the one beside this script (an installed
# or unpacked folder), else build/ombrazio of the source tree this script belongs to.
set -euo pipefail

qui="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
dati="${XDG_DATA_HOME:-$HOME/.local/share}"
launcher="$dati/applications/ombrazio.desktop"
icone="$dati/icons/hicolor"
icona48="$icone/48x48/apps/ombrazio.png"
icona96="$icone/96x96/apps/ombrazio.png"
iconaSvg="$icone/scalable/apps/ombrazio.svg"

aggiorna_cache() {
  # Menus pick the change up by themselves too; the caches only make it immediate.
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$dati/applications" 2>/dev/null || true
  fi
  if command -v gtk-update-icon-cache >/dev/null 2>&1 && [[ -f "$icone/index.theme" ]]; then
    gtk-update-icon-cache -q -t "$icone" 2>/dev/null || true
  fi
}

if [[ "${1:-}" == "--remove" ]]; then
  rm -f "$launcher" "$icona48" "$icona96" "$iconaSvg"
  aggiorna_cache
  echo "Ombrazio launcher removed."
  exit 0
fi
if [[ "${1:-}" == -* ]]; then
  sed -n '2,10p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
  exit 2
fi

# The files that come with the program: beside this script in an installed folder,
# in desktop/ and resources/ of the source tree.
if [[ -f "$qui/ombrazio.desktop" ]]; then
  modello="$qui/ombrazio.desktop"; png="$qui/ombrazio.png"; png2x="$qui/ombrazio@2x.png"; svg="$qui/ombrazio.svg"
  predefinito="$qui/ombrazio"
else
  radice="$(dirname "$qui")"
  modello="$radice/desktop/ombrazio.desktop"; svg="$radice/desktop/ombrazio.svg"
  png="$radice/resources/ombrazio.png"; png2x="$radice/resources/ombrazio@2x.png"
  predefinito="$radice/build/ombrazio"
fi

programma="${1:-$predefinito}"
if [[ ! -f "$programma" || ! -x "$programma" ]]; then
  echo "install-launcher.sh: no executable at $programma; build it first or give its path." >&2
  exit 1
fi
programma="$(cd "$(dirname "$programma")" && pwd)/$(basename "$programma")"
case "$programma" in
  *$'\n'* | *$'\r'* | *$'\t'*)
    echo "install-launcher.sh: the path holds a line break or tab, which a launcher cannot carry." >&2
    exit 1 ;;
esac

cartella="$(dirname "$programma")/Shared/Costruzioni"
if [[ ! -d "$cartella" ]]; then
  echo "Warning: $cartella does not exist; SALVA will report error 76 until it is created." >&2
elif [[ ! -w "$cartella" ]]; then
  echo "Warning: $cartella is not writable by $(id -un); SALVA will fail there." >&2
fi

# Exec is a command line: a path with a space or a shell character is quoted, and inside
# the quotes " ` $ \ take a backslash. The value is then a desktop-file string, in which
# every backslash is doubled once more, and % would start a field code.
comando="$programma"
if [[ "$comando" =~ [[:space:]\"\'\\\>\<~\|\&\;\$\*\?#\(\)\`] ]]; then
  comando="${comando//\\/\\\\}"
  comando="${comando//\"/\\\"}"
  comando="${comando//\`/\\\`}"
  comando="${comando//\$/\\\$}"
  comando="\"$comando\""
fi
comando="${comando//\\/\\\\}"
comando="${comando//%/%%}"
prova="${programma//\\/\\\\}"

mkdir -p "$(dirname "$launcher")" "$(dirname "$icona48")" "$(dirname "$icona96")" "$(dirname "$iconaSvg")"
install -m 644 "$png" "$icona48"
install -m 644 "$png2x" "$icona96"
install -m 644 "$svg" "$iconaSvg"

temporaneo="$(mktemp "$launcher.XXXXXX")"
trap 'rm -f "$temporaneo"' EXIT
while IFS= read -r riga || [[ -n "$riga" ]]; do
  case "$riga" in
    Exec=*) printf 'Exec=%s\n' "$comando" ;;
    TryExec=*) printf 'TryExec=%s\n' "$prova" ;;
    *) printf '%s\n' "$riga" ;;
  esac
done < "$modello" > "$temporaneo"
chmod 644 "$temporaneo"
mv -f "$temporaneo" "$launcher"
trap - EXIT

aggiorna_cache
echo "Ombrazio launcher installed: $launcher"
echo "It starts $programma"
