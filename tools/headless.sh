#!/usr/bin/env bash
# Runs a command under its own X server (Xvfb) and its own sound server
# (PulseAudio with a null output and a virtual microphone fed from a FIFO),
# and stops both when the command ends, whatever its result.
#   tools/headless.sh COMMAND [ARGS...]
# The command sees DISPLAY, XDG_RUNTIME_DIR and VELMORA_TEST_MIC_FIFO (the
# pipe that feeds the virtual microphone, 48000 Hz mono s16le).
set -uo pipefail

work=$(mktemp -d /tmp/velmora-headless.XXXXXX)
chmod 700 "$work"
xvfb_pid=""

cleanup() {
  if [ -n "${XDG_RUNTIME_DIR:-}" ] && command -v pulseaudio >/dev/null; then
    pulseaudio -k >/dev/null 2>&1 || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# X server on the first free display.
exec 3>"$work/display"
# -noreset: without it the server resets when its last client leaves, and a
# client connecting in that moment cannot open the display.
Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "headless: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

# Sound server with a null sink and a virtual microphone.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_CONFIG_PATH="$work/pulse"
mkdir -p "$PULSE_CONFIG_PATH"
export VELMORA_TEST_MIC_FIFO="$work/mic.fifo"
if ! pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
      --load=module-native-protocol-unix \
      --load="module-null-sink sink_name=speaker" \
      --log-target=file:"$work/pulse.log" >/dev/null 2>&1; then
  echo "headless: pulseaudio did not start" >&2
  cat "$work/pulse.log" >&2 2>/dev/null
  exit 1
fi
for _ in $(seq 1 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
# Without the virtual microphone the sound tests would fail far from the cause.
if ! { pactl load-module module-pipe-source source_name=virtmic file="$VELMORA_TEST_MIC_FIFO" \
         format=s16le rate=48000 channels=1 >/dev/null &&
       pactl set-default-source virtmic && pactl set-default-sink speaker; }; then
  echo "headless: the sound server did not take the virtual microphone" >&2
  cat "$work/pulse.log" >&2 2>/dev/null
  exit 1
fi

"$@"
