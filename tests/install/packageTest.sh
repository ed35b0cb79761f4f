#!/usr/bin/env bash
# Builds the Debian package with scripts/package and checks it as Debian and a
# player would meet it: lintian, the desktop entry and AppStream validators,
# an install into an empty root with dpkg, the installed program starting and
# finding its rules, and removal leaving nothing but a player's high scores.
#
#   packageTest.sh <source folder> <scratch folder> <version> "<icon sizes>"
#
# dpkg --root installs into a scratch folder with its own empty database
# (under fakeroot when the test does not run as root). That is a faithful
# install (unpacking, the database, removal) because the package has no
# maintainer scripts, which the test checks: there is nothing that a chroot
# would run. Its dependencies are not in that empty root, so they are
# checked against this machine with apt's simulation instead.
set -uo pipefail
source_dir="$1"
work="$2"
version="$3"
read -r -a icon_sizes <<<"${4//;/ }"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
step() { echo "== $*"; }

mkdir -p "$work"
work="$(cd "$work" && pwd)"

step "building the package"
if ! bash "$source_dir/scripts/package" "$work/build" >"$work/package.log" 2>&1; then
  cat "$work/package.log"
  echo "FAIL: scripts/package failed"
  exit 1
fi
deb="$work/build/quillbox_${version}_$(dpkg --print-architecture).deb"
if [[ ! -f $deb ]]; then
  echo "FAIL: no $deb"
  exit 1
fi
echo "$deb: $(stat -c %s "$deb") bytes"

step "control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == quillbox ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version is $(field Version)"
[[ $(field Section) == games ]] || fail "Section is $(field Section)"
[[ $(field Maintainer) == *"<"*@*">" ]] || fail "Maintainer has no address: $(field Maintainer)"
depends="$(field Depends)"
# The Qt libraries come from dpkg-shlibdeps, the fonts from the build files.
for dep in libqt6widgets6 libqt6printsupport6 libstdc++6 fonts-dejavu-core fonts-liberation2; do
  [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
done
control="$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort | tr '\n' ' ')"
[[ $control == "./control ./md5sums " ]] ||
  fail "the control archive holds more than control and md5sums: $control"
if ! apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 ||
  ! grep -q "^Inst quillbox " "$work/apt.log"; then
  fail "apt cannot install the package here:"
  cat "$work/apt.log"
fi

step "lintian"
lintian --display-level ">=info" --fail-on error "$deb" 2>&1 |
  grep -v "running with root privileges" | tee "$work/lintian.log"
((PIPESTATUS[0] == 0)) || fail "lintian reports errors"

step "installing into an empty root"
dpkg_root=(dpkg)
# Without root rights, fakeroot lets dpkg record root as the files' owner.
if ((EUID != 0)); then dpkg_root=(fakeroot dpkg --force-not-root); fi
root="$work/root"
rm -rf "$root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
if ! "${dpkg_root[@]}" --root="$root" --force-depends --install "$deb" >"$work/dpkg.log" 2>&1; then
  cat "$work/dpkg.log"
  echo "FAIL: dpkg --install failed"
  exit 1
fi

expected=(
  /usr/games/quillbox
  /usr/share/applications/quillbox.desktop
  /usr/share/doc/quillbox/changelog.gz
  /usr/share/doc/quillbox/copyright
  /usr/share/man/man6/quillbox.6.gz
  /usr/share/metainfo/io.github.quillbox.Quillbox.metainfo.xml
  "/usr/share/quillbox/Quillbox Rules.rtf"
)
for size in "${icon_sizes[@]}"; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/quillbox.png")
done
installed="$(cd "$root" && find usr \( -type f -o -type l \) -printf '/%p\n' | sort)"
wanted="$(printf '%s\n' "${expected[@]}" | sort)"
[[ $installed == "$wanted" ]] ||
  fail "installed files differ from the expected ones:$(diff <(echo "$wanted") <(echo "$installed"))"

cmp -s "$root/usr/share/quillbox/Quillbox Rules.rtf" "$source_dir/data/Quillbox Rules.rtf" ||
  fail "the installed rules document differs from data/Quillbox Rules.rtf"
gzip -dc "$root/usr/share/doc/quillbox/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
  fail "the changelog's latest entry is not $version"
copyright="$root/usr/share/doc/quillbox/copyright"
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "the copyright file is not in Debian's machine-readable format"
if [[ -f $source_dir/LICENSE ]]; then
  # The licence text in the copyright file is the project's own.
  words() { tr -s ' \n' '\n\n' | grep -v '^\.$' | sed -n '/^Permission$/,$p'; }
  diff <(sed -n '/^License: MIT$/,$p' "$copyright" | tail -n +2 | words) \
    <(words <"$source_dir/LICENSE") >/dev/null ||
    fail "the copyright file's licence text differs from LICENSE"
fi

# width x height of a PNG, from its header.
png_size() {
  local hex
  hex="$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')"
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

step "the desktop entry"
entry="$root/usr/share/applications/quillbox.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
program="${exec_line#\"}"
program="${program%\"}"
[[ -f $root$program && -x $root$program ]] || fail "Exec names $program, which is not installed"
icon="$(sed -n 's/^Icon=//p' "$entry")"
for size in "${icon_sizes[@]}"; do
  file="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  if [[ ! -f $file ]]; then
    fail "no ${size}x${size} icon named $icon"
  elif [[ $(png_size "$file") != "${size}x${size}" ]]; then
    fail "the ${size}x${size} icon is $(png_size "$file")"
  fi
done

step "the AppStream metadata"
metainfo="$root/usr/share/metainfo/io.github.quillbox.Quillbox.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects the metadata"
# The tree check also finds the desktop entry the metadata launches.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree rejects the install"
tag() { sed -n "s|.*<$1[^>]*>\\(.*\\)</$1>.*|\\1|p" "$metainfo"; }
[[ $(tag id) == io.github.quillbox.Quillbox ]] || fail "the metadata's id is $(tag id)"
launchable="$(tag launchable)"
[[ -f $root/usr/share/applications/$launchable ]] || fail "the launchable $launchable is not installed"
binary="$(tag binary)"
[[ -x $root/usr/games/$binary ]] || fail "the provided binary $binary is not in /usr/games"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "no OARS content rating"
newest="$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)"
[[ $newest == "$version" ]] || fail "the newest release is $newest, not $version"
# Screenshots are the documentation's own figures, at the repository's address.
shots=0
while read -r url; do
  shots=$((shots + 1))
  [[ $url == https://raw.githubusercontent.com/quillbox/quillbox/main/docs/* ]] ||
    fail "screenshot $url is not one of docs/"
  [[ -f $source_dir/docs/${url##*/docs/} ]] || fail "screenshot $url has no file in docs/"
done < <(tag image)
((shots > 0)) || fail "no screenshots"

step "the installed program"
home="$work/home"
runtime="$work/runtime"
rm -rf "$home" "$runtime"
mkdir -p "$home"
mkdir -m 700 "$runtime"
run_env=(env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$runtime")
# Offscreen: it starts, prints nothing and keeps running until stopped.
"${run_env[@]}" QT_QPA_PLATFORM=offscreen timeout 4 "$root$program" >"$work/run.log" 2>&1
rc=$?
((rc == 124)) || fail "the program ended by itself (exit status $rc)"
[[ ! -s $work/run.log ]] || fail "the program printed: $(cat "$work/run.log")"
# On an X server its launch pad appears, found by its title; from the keyboard
# it opens the Classic window and there Help > Rules, which shows the viewer
# only when the program found its rules document in /usr/share/quillbox.
cat >"$work/probe.sh" <<'EOF'
"$@" & pid=$!
shown() {
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)"
    [[ -n $window ]] && return 0
    sleep 0.1
  done
  echo "no window \"$1\"; the windows are:"
  xwininfo -root -tree | grep '"'
  kill "$pid"
  exit 1
}
shown "Quillbox LaunchPad"
xdotool windowfocus --sync "$window" key alt+c
shown "Quillbox"
xdotool windowfocus --sync "$window" key alt+h sleep 0.3 key r
shown "Quillbox Rules"
kill "$pid"
EOF
"${run_env[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a bash "$work/probe.sh" "$root$program" \
  >"$work/xvfb.log" 2>&1 || fail "$(cat "$work/xvfb.log")"
leftovers="$(find "$home" -mindepth 1)"
[[ -z $leftovers ]] || fail "starting the program wrote: $leftovers"

step "removing the package"
scores="$root/home/ann/.local/share/quillbox/High Scores.rnd"
mkdir -p "$(dirname "$scores")"
head -c 360 /dev/zero >"$scores"
"${dpkg_root[@]}" --root="$root" --purge quillbox >>"$work/dpkg.log" 2>&1 || fail "dpkg --purge failed"
left="$(cd "$root" && find . -mindepth 1 \( -type f -o -type l \) -not -path './var/lib/dpkg/*')"
[[ $left == "./home/ann/.local/share/quillbox/High Scores.rnd" ]] ||
  fail "after removal, expected only the player's high scores; found: $left"
[[ ! -e $root/usr ]] || fail "/usr is left behind: $(cd "$root" && find usr)"
[[ $(head -c 360 /dev/zero | cmp - "$scores" && echo same) == same ]] ||
  fail "the player's high scores changed"

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package passed every check"
