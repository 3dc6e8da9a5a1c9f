#!/usr/bin/env bash
# Builds the program and orvanet-tool for 64-bit Windows against the SDK of
# scripts/windows-sdk.sh (built first when missing: hours on two cores), gathers
# them with the DLLs they load, Qt's plugins and the fonts the windows name into
# one folder, and makes the NSIS installer of it (Start-menu entry, uninstaller,
# /S for a silent install). The last line is `installer: PATH`.
#   ORVANET_WINDOWS_SDK        the SDK (default ~/.cache/orvanet/windows-sdk)
#   ORVANET_WINDOWS_APP_BUILD  the build folder (default build-windows-app/)
#   ORVANET_WINDOWS_TESTS=ON   also builds the window tests (scripts/windows-check.sh)
# Outside CI (see the README).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
sdk=${ORVANET_WINDOWS_SDK:-$HOME/.cache/orvanet/windows-sdk}
prefix=$sdk/prefix
build=${ORVANET_WINDOWS_APP_BUILD:-$source_dir/build-windows-app}
jobs=${ORVANET_WINDOWS_JOBS:-2}
tests=${ORVANET_WINDOWS_TESTS:-OFF}

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build nsis \
  imagemagick librsvg2-bin fonts-dejavu-core fonts-noto-core
bash scripts/windows-sdk.sh
[ -e "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] || { echo "windows-build: the SDK in $sdk is not complete"; exit 1; }

version=$(sed -n 's/^project(Orvanet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p "$build"
# With the tests, ctest runs each test program through Wine.
emulator=()
if [ "$tests" = ON ]; then emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine64 || command -v wine)"); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DORVANET_BUILD_TESTS="$tests" -DORVANET_BUILD_BENCH=OFF "${emulator[@]}"
targets=(orvanet orvanet-tool)
[ "$tests" = ON ] && targets=(all)
cmake --build "$build" --parallel "$jobs" --target "${targets[@]}"

# --- the installed folder: programs, the DLLs they load, plugins, fonts ---
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage/plugins" "$stage/fonts"
cp "$build/app/ui/orvanet.exe" "$build/tools/orvanet-tool/orvanet-tool.exe" "$stage/"
# Qt's plugins the windows use: the Windows platform, its style, the image formats
# (icons, pictures), the SQLite driver, Windows' own TLS for Qt Network.
for kind in platforms styles imageformats sqldrivers tls iconengines printsupport; do
  [ -d "$prefix/plugins/$kind" ] && cp -r "$prefix/plugins/$kind" "$stage/plugins/"
done
printf '[Paths]\nPlugins = plugins\n' >"$stage/qt.conf"
# Every DLL an .exe or a DLL there imports, from the SDK or mingw-w64's runtime,
# until none is missing (Windows' own DLLs are left out: they are not found here).
search=("$prefix/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
  /usr/x86_64-w64-mingw32/lib)
while :; do
  added=0
  while read -r dll; do
    [ -e "$stage/$dll" ] && continue
    for dir in "${search[@]}"; do
      if [ -e "$dir/$dll" ]; then cp "$dir/$dll" "$stage/" && added=1 && break; fi
    done
  done < <(find "$stage" -iname '*.exe' -o -iname '*.dll' | xargs -r x86_64-w64-mingw32-objdump -p |
    sed -n 's/^\s*DLL Name: //p' | sort -u)
  [ "$added" -eq 1 ] || break
done
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
  /usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf /usr/share/fonts/truetype/noto/NotoSansArabic-Bold.ttf \
  "$stage/fonts/"
# The icon: the SVG drawn at each size by librsvg (ImageMagick has no SVG reader here), joined into one .ico.
icons=$build/icon
mkdir -p "$icons"
for size in 16 32 48 64 256; do rsvg-convert -w "$size" -h "$size" packaging/orvanet.svg -o "$icons/$size.png"; done
convert "$icons"/{16,32,48,64,256}.png "$stage/orvanet.ico"

installer=$build/Orvanet-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$installer" packaging/windows/orvanet.nsi
echo "installer: $installer"
