#!/usr/bin/env bash
# Without a display the run command must explain itself and fail, not hang or crash.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$1/run.sh" 2>&1)
status=$?
echo "$out"
[ $status -ne 0 ] && [ $status -ne 124 ] && echo "$out" | grep -q "xvfb-run -a ./run.sh"
