#!/usr/bin/env bash
# Start-up time and memory of Quillbox beside a minimal Qt Widgets program
# built the same way (RelWithDebInfo, in build-bench): on Qt's offscreen
# platform and, when xvfb-run is there, on X under Xvfb. Prints the rows of
# the table in docs/figures.md.
#
#   bash bench/startup.sh [runs]      (default 15 per figure)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-15}"

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLBOX_BENCH=ON \
      -DQUILLBOX_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target startup_probe minimal_qt >/dev/null

echo "| figure | Quillbox | minimal Qt Widgets program | difference |"
echo "|---|---|---|---|"
python3 bench/startupMeasure.py build-bench/bin "$runs" offscreen
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    python3 bench/startupMeasure.py build-bench/bin "$runs" xcb
fi
