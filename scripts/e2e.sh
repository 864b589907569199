#!/usr/bin/env bash
# e2e.sh <build folder> -- runs the build's end-to-end tests (label e2e): the real programs under one
# shared Xvfb with a window manager. Used by test.sh and sanitize.sh.
set -euo pipefail
build=$1
if (cd "$build" && ctest -N -L e2e | grep -q "Total Tests: [1-9]"); then
  unset SDL_VIDEODRIVER
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
    'openbox >/dev/null 2>&1 & sleep 1; cd "$0" && ctest --output-on-failure -L e2e' "$build"
fi
