#!/usr/bin/env bash
# Builds Qt's qtbase for 64-bit Windows from Debian's own qt6-base source package, with
# the MinGW-w64 cross compiler and the host tools of qt6-base-dev-tools, once per
# machine. The result goes to a cache folder outside the work tree, named after the Qt
# version and a key of everything that shapes the build, and is reused while that holds.
#   OMBRAZIO_CACHE   the cache folder (default ~/.cache/ombrazio)
# The last line printed is the Qt prefix. Expects tools/install-deps.sh --windows.
set -euo pipefail
RADICE=$(cd "$(dirname "$0")/.." && pwd)
TOOLCHAIN=$RADICE/cmake/mingw-w64.cmake

# The source must be the version of the host tools, or moc's output would not fit.
VERSIONE=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
OPZIONI=(
  -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  # As Qt's own Windows builds: no ICU.
  -DFEATURE_icu=OFF
  # Debian's source drops the tablet headers.
  -DFEATURE_tabletevent=OFF
  # No OpenGL. FEATURE_opengl=OFF alone breaks the windows plugin; Direct2D stays for its
  # link, without the 1.1 API.
  -DINPUT_opengl=no -DFEATURE_direct2d1_1=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=ON
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF
  # The offscreen plugin, which the tests use, draws text with FreeType: Qt's own copy.
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
)
CHIAVE=$({
  echo "$VERSIONE"
  printf '%s\n' "${OPZIONI[@]}"
  cat "$TOOLCHAIN"
  x86_64-w64-mingw32-g++-posix -dumpfullversion
} | sha256sum | cut -c1-12)
CACHE=${OMBRAZIO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ombrazio}
PREFISSO=$CACHE/qt-${VERSIONE%%+*}-mingw64-$CHIAVE

# The mark is written last: a build cut short is done again from the start.
if [[ -f $PREFISSO/.completo ]]; then
  echo "Qt for Windows: reusing $PREFISSO" >&2
  echo "$PREFISSO"
  exit 0
fi

LAVORO=$CACHE/lavoro-$CHIAVE
rm -rf "$LAVORO" "$PREFISSO"
mkdir -p "$LAVORO"
echo "Qt for Windows: building qtbase $VERSIONE into $PREFISSO (about half an hour on 2 cores)" >&2
inizio=$SECONDS
(
  cd "$LAVORO"
  apt-get source --download-only "qt6-base=$VERSIONE" >sorgente.log 2>&1
  dpkg-source -x qt6-base_*.dsc sorgente >>sorgente.log 2>&1
) || { tail -n 20 "$LAVORO/sorgente.log" >&2; exit 1; }
LOG=$LAVORO/qt.log
if ! {
  cmake -S "$LAVORO/sorgente" -B "$LAVORO/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$PREFISSO" "${OPZIONI[@]}" &&
    cmake --build "$LAVORO/build" &&
    cmake --install "$LAVORO/build" --strip
} >"$LOG" 2>&1; then
  tail -n 40 "$LOG" >&2
  echo "qt-windows.sh: FAILED, whole log in $LOG" >&2
  exit 1
fi
touch "$PREFISSO/.completo"
rm -rf "$LAVORO"
echo "Qt for Windows: built in $(((SECONDS - inizio) / 60)) min $(((SECONDS - inizio) % 60)) s, $(du -sh "$PREFISSO" | cut -f1)" >&2
echo "$PREFISSO"
