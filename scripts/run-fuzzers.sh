#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 (ASan and UBSan) in build-fuzz/, assembles each
# target's seed corpus in fuzz-work/ from the golden files and the real-world corpus, replays the
# seeds, then fuzzes each target in turn.
#   scripts/run-fuzzers.sh [SECONDS_PER_TARGET] [TARGET...]   (default 60 seconds, every target)
# GLYPHWRIGHT_FUZZ_SANITIZERS=undefined builds without AddressSanitizer, in build-fuzz-undefined/:
# about one and a half times the inputs a second, for long runs (scripts/fuzz-long.sh), with the standard
# library's bounds checks (on in every fuzz build) standing in for AddressSanitizer's on
# containers, strings and views.
# A crash stops the script with a non-zero status; libFuzzer leaves the input in fuzz-work/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(c_reader_fuzz bas_reader_fuzz glyph_codec_fuzz round_trip_fuzz import_fuzz bdf_reader_fuzz gfx_reader_fuzz vlw_reader_fuzz tft_espi_reader_fuzz lvgl_reader_fuzz glcd_reader_fuzz thingpulse_reader_fuzz font_to_py_reader_fuzz u8g2_reader_fuzz)

root="$(pwd)"
corpus_dir="${GLYPHWRIGHT_CORPUS_DIR:-$root/../shared/corpus}"
work="$root/fuzz-work"
sanitizers="${GLYPHWRIGHT_FUZZ_SANITIZERS:-address,undefined}"
build="$root/build-fuzz"
[ "$sanitizers" = "address,undefined" ] || build="$root/build-fuzz-${sanitizers//,/-}"

if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS \
    -DGLYPHWRIGHT_FUZZ=ON -DGLYPHWRIGHT_GUI=OFF -DGLYPHWRIGHT_TESTS=OFF -DGLYPHWRIGHT_BENCH=OFF \
    -DGLYPHWRIGHT_SANITIZE="$sanitizers" -DGLYPHWRIGHT_WERROR=ON
fi
cmake --build "$build" -j2

# Font files of one kind (by name pattern): golden inputs and expected files, regression inputs,
# and the real-world corpus when it is there.
font_files() {
  local folder
  for folder in tests/golden tests/regressions "$corpus_dir"; do
    [ -d "$folder" ] || continue
    find "$folder" -type f \( -iname "$1" -o -iname "${2:-$1}" \)
  done
}

copy_seeds() {
  local seeds="$1" prefix="$2"
  while read -r file; do
    local name="${file#"$corpus_dir"/}"
    name="${name#tests/}"
    name="${name//\//_}"
    { printf '%s' "$prefix"; cat "$file"; } >"$seeds/$name"
  done
}

# One seed per glyph line of a C font: its width and height bytes, then the line's data text.
glyph_seeds() {
  local seeds="$1"
  font_files '*.c' '*.h' | while read -r file; do
    local name="${file#"$corpus_dir"/}"
    name="${name#tests/}"
    LC_ALL=C awk -v out="$seeds/${name//\//_}" '
      function value(field) { gsub(/[ \t]/, "", field); return strtonum_hex(field) }
      function strtonum_hex(text,   digits, result, i) {
        digits = "0123456789abcdef"; result = 0; text = tolower(text); sub(/^0x/, "", text)
        for (i = 1; i <= length(text); i++) result = result * 16 + index(digits, substr(text, i, 1)) - 1
        return result
      }
      /fontdatatype|\[/ && !in_array { in_array = 1; next }
      in_array && !width && /0x/ { split($0, fields, ","); width = value(fields[1]); height = value(fields[2]); next }
      width > 0 && width < 256 && height > 0 && height < 256 && count < 8 && /0x/ {
        printf "%c%c%s", width, height, $0 > (out "_" count); close(out "_" count); count++
      }' "$file"
  done
}

# Seeds of the importer: BDF files of our own, small PCF fonts of xfonts-base (compressed and not)
# and the start of two DejaVu TrueType fonts, each followed by a size, a flags and a code byte.
import_seeds() {
  local seeds="$1" file name
  for file in fuzz/seeds/import_fuzz/*.bdf; do
    { cat "$file"; printf '\0\0\60'; } >"$seeds/$(basename "$file")"
  done
  for name in 4x6 6x13 9x15B 10x20; do
    file="/usr/share/fonts/X11/misc/$name-ISO8859-1.pcf.gz"
    [ -f "$file" ] || continue
    { cat "$file"; printf '\0\4\0'; } >"$seeds/$name.pcf.gz"
    { gzip -dc "$file"; printf '\0\12\101'; } >"$seeds/$name.pcf"
  done
  for name in DejaVuSansMono DejaVuSans; do
    file="/usr/share/fonts/truetype/dejavu/$name.ttf"
    [ -f "$file" ] || continue
    { head -c 60000 "$file"; printf '\20\0\141'; } >"$seeds/$name.ttf"
  done
}

prepare_seeds() {
  local target="$1" seeds="$work/$1/seeds"
  rm -rf "$seeds"
  mkdir -p "$seeds" "$work/$target/corpus"
  [ -d "$corpus_dir" ] || echo "The corpus folder $corpus_dir is absent; seeding from the project's own files only."
  case "$target" in
    c_reader_fuzz) font_files '*.c' '*.h' | copy_seeds "$seeds" "" ;;
    bas_reader_fuzz) font_files '*.bas' | copy_seeds "$seeds" "" ;;
    round_trip_fuzz)
      font_files '*.c' '*.h' | copy_seeds "$seeds" "0"
      font_files '*.bas' | copy_seeds "$seeds" "1" ;;
    glyph_codec_fuzz) glyph_seeds "$seeds" ;;
    import_fuzz) import_seeds "$seeds" ;;
    gfx_reader_fuzz) font_files '*.h' | copy_seeds "$seeds" "" ;;
    vlw_reader_fuzz) font_files '*.vlw' | copy_seeds "$seeds" "" ;;
    tft_espi_reader_fuzz) font_files '*.c' | copy_seeds "$seeds" "" ;;
    lvgl_reader_fuzz) font_files '*.c' | copy_seeds "$seeds" "" ;;
    glcd_reader_fuzz) font_files '*.c' '*.h' | copy_seeds "$seeds" "" ;;
    thingpulse_reader_fuzz) font_files '*.h' | copy_seeds "$seeds" "" ;;
    font_to_py_reader_fuzz) font_files '*.py' | copy_seeds "$seeds" "" ;;
    u8g2_reader_fuzz) font_files 'u8g2*.c' | copy_seeds "$seeds" "" ;;
    bdf_reader_fuzz)
      font_files '*.bdf' | copy_seeds "$seeds" """"
      cp fuzz/seeds/import_fuzz/*.bdf "$seeds"/ 2>/dev/null || true ;;
  esac
  if [ -d "tests/regressions/$target" ]; then
    cp tests/regressions/"$target"/* "$seeds"/ 2>/dev/null || true
  fi
}

for target in "${targets[@]}"; do
  prepare_seeds "$target"
  binary="$build/fuzz/$target"
  dict="$root/fuzz/font_formats.dict"
  [ ! -f "$root/fuzz/$target.dict" ] || dict="$root/fuzz/$target.dict"
  echo "== $target: replaying $(ls "$work/$target/seeds" | wc -l) seeds"
  "$binary" -runs=0 -dict="$dict" "$work/$target/seeds"
  echo "== $target: fuzzing for $seconds seconds"
  (cd "$work/$target" && "$binary" -max_total_time="$seconds" -dict="$dict" \
     -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus seeds)
done
