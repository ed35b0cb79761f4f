#!/usr/bin/env bash
# Pictures of Quillbox's windows at a given scale, taken of the real program
# under Xvfb. Each window is reached only through access keys, as a keyboard
# user would reach it, so a broken access key shows up as a missing picture.
#
#   bash tools/screenshots.sh <scale> <prefix> [build-folder]      (default: build)
#   e.g. bash tools/screenshots.sh 2 docs/scaled-     (docs/scaled-launchpad.png, ...)
# Paths are taken from the current folder.
#
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
if [[ ${1:-} != --inside-xvfb ]]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" --inside-xvfb "$@"
fi
shift
scale="$1"
prefix="$2"
build="${3:-build}"

# A copy of the program's folder, so the high-score file it creates on the way
# lands there and not in the build.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$build/bin/quillbox" "$build/bin/Quillbox Rules.rtf" "$folder/"
dir=.
[[ $prefix != */* ]] || dir="${prefix%/*}"
mkdir -p "$dir"
out="$(cd "$dir" && pwd)/${prefix##*/}"
export XDG_RUNTIME_DIR="$folder"

shoot() {
  local which="$1" pad w target
  QT_SCALE_FACTOR="$scale" "$folder/quillbox" 2>/dev/null &
  local pid=$!
  window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1; }
  keys() { local id="$1"; shift; xdotool windowfocus --sync "$id"; xdotool key --delay 80 "$@"; }
  pad=$(window "LaunchPad")
  sleep 0.5
  case "$which" in
    launchpad) keys "$pad" alt+w q a t; target=$pad ;;
    crossword | rules | about)
      keys "$pad" alt+r
      w=$(window "^Quillbox Crossword$")
      sleep 0.5
      case "$which" in
        crossword) keys "$w" alt+g; target=$w ;;
        rules) keys "$w" alt+h r; target=$(window "^Quillbox Rules$") ;;
        about) keys "$w" alt+h a; target=$(window "^About Quillbox$") ;;
      esac ;;
    classic | highscores)
      keys "$pad" alt+c
      w=$(window "^Quillbox$")
      sleep 0.5
      case "$which" in
        classic) keys "$w" alt+s; target=$w ;;
        highscores) keys "$w" alt+f h; target=$(window "^Quillbox High Scores$") ;;
      esac ;;
  esac
  sleep 1
  if [[ -z $target ]]; then
    echo "screenshots: could not reach the $which window" >&2
    kill "$pid"
    return 1
  fi
  import -window "$target" "$out$which.png"
  echo "$out$which.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
for which in launchpad crossword rules about classic highscores; do
  shoot "$which"
done
