#!/usr/bin/env bash
# Cross-builds Ombrazio for 64-bit Windows on Debian 12 and packs the portable zip
# build-windows/Ombrazio-1.0-win64.zip.
#   ./build-windows.sh          the zip
#   ./build-windows.sh --test   also the test programs: the whole suite and one start of
#                               the unzipped program, under Wine on a virtual X display
# Qt for Windows is built once per machine (tools/qt-windows.sh; OMBRAZIO_CACHE moves it).
set -euo pipefail
cd "$(dirname "$0")"
RADICE=$PWD
PROVE=OFF
[[ ${1:-} == --test ]] && PROVE=ON
BUILD=${OMBRAZIO_BUILD_WINDOWS:-build-windows}
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

tempo() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }
inizio=$SECONDS

./tools/install-deps.sh --windows
QT=$(./tools/qt-windows.sh | tail -n 1)
fase=$SECONDS
echo "== Qt for Windows ready: $(tempo $((fase - inizio)))"

# Qt's toolchain file names the MinGW one it was built with; the one of this checkout
# takes its place, wherever the cache was filled from.
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=$PROVE \
  -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$RADICE/cmake/mingw-w64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=$WINE64 >/dev/null
cmake --build "$BUILD"
rm -f "$BUILD"/Ombrazio-*-win64.zip
(cd "$BUILD" && cpack -G ZIP >/dev/null)
ZIP=$(ls "$RADICE/$BUILD"/Ombrazio-*-win64.zip)
echo "== Cross-build: $(tempo $((SECONDS - fase))), $(basename "$ZIP") $(du -k "$ZIP" | cut -f1) KiB"
[[ $PROVE == ON ]] || exit 0
fase=$SECONDS

# ---- Under Wine ------------------------------------------------------------------------
# A display first: Wine's first process of a session must find it.
for n in $(seq 90 130); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB=$!
  export DISPLAY=":$n"
  break
done
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X${DISPLAY#:} ]] && break; sleep 0.1; done
[[ -e /tmp/.X11-unix/X${DISPLAY#:} ]] || { echo "build-windows.sh: Xvfb did not start" >&2; exit 1; }

export WINEPREFIX=$RADICE/$BUILD/wine
export WINEARCH=win64 WINEDEBUG=-all
# No prompts to install Wine's .NET and browser stand-ins: nothing here uses them.
export WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB 2>/dev/null || true' EXIT
finestre() { printf 'Z:%s' "${1//\//\\}"; }
if [[ ! -f $WINEPREFIX/.pronto ]]; then
  rm -rf "$WINEPREFIX"
  $WINE64 wineboot -u >/dev/null 2>&1
  # Windows that Wine manages itself: with no window manager on the virtual display, a
  # managed window waits two seconds on every close for one to answer.
  $WINE64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Wine's own faces, and the stand-ins of the designed ones, where Windows keeps fonts;
  # the offscreen platform reads that same folder.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  cp /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation2/*.ttf \
    /usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  touch "$WINEPREFIX/.pronto"
fi
# The test programs find Qt's and the compiler's libraries where they lie.
WINEPATH="$(finestre "$QT/bin");$(finestre "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")")"
WINEPATH+=";$(finestre /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
export WINEQT_QPA_FONTDIR="C:\\windows\\Fonts"
export WINEQT_FORCE_STDERR_LOGGING=1
# One wineserver for the whole run, warmed up: otherwise its helpers hold the first
# test's output open and every test pays for a start. A server already running for the
# prefix (the one that set up a new prefix lingers, a run cut short leaves its own) would
# make this one refuse to start: it is ended first.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINESERVER" -p
$WINE64 cmd /c exit >/dev/null 2>&1
echo "== Wine ready: $(tempo $((SECONDS - fase)))"
fase=$SECONDS

ctest --test-dir "$BUILD" --output-on-failure -j2
echo "== Suite under Wine: $(tempo $((SECONDS - fase)))"
fase=$SECONDS
"$RADICE/tests/avvio-wine.sh" "$ZIP" "$RADICE/$BUILD/avvio-wine"
echo "== The unzipped program under Wine: $(tempo $((SECONDS - fase)))"
echo "== build-windows.sh --test: $(tempo $((SECONDS - inizio))) in all"
