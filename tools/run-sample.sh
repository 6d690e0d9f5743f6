#!/bin/sh
# Starts Quorel on a scratch copy of the sample album, so that a run never changes the repository.
set -e
BUILD=${1:-build}
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "make run: no display here (DISPLAY is not set). Quorel is a desktop tool and needs one;"
  echo "run it from a desktop session, or under a virtual display: xvfb-run -a make run"
  exit 1
fi
RUN="$BUILD/run"
rm -rf "$RUN"
mkdir -p "$RUN"
cp -r samples/album samples/Quorel "$RUN/"
cd "$RUN"
exec ../quorel album/harbour.jpg
