#!/usr/bin/env bash
# The real program on a virtual display: a change typed into an opened project
# reaches the recovery file within seconds; the program is killed (SIGKILL, no
# chance to clean up); started again it offers the work, and No deletes it.
# Usage: RecoveryAfterKill.sh KALORINA KALORINA_CLI EXAMPLES_DIR    (exit 77: no X server)
set -euo pipefail
if [ "${1:-}" != --inside ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it): skipped"; exit 77; }
  done
  xvfb-run -a true >/dev/null 2>&1 || { echo "no virtual X server can be started: skipped"; exit 77; }
  # -noreset: the X server stays up when its last client (the killed program) goes;
  # a reset would refuse the second start's connection while it runs.
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" --inside "$@"
fi
program=$2 cli=$3 examples=$4

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $log"; cat "$log"; }; done
  exit 1
}
export QT_QPA_PLATFORM=xcb KALORINA_CONFIG=$work/settings.reg XDG_STATE_HOME=$work/state
state=$work/state/Kalorina
cp "$examples/flat.klp" "$work/flat.klp"

# waits up to $1 seconds for `$2...` to succeed
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
window() { xdotool search --name "$1" 2>/dev/null | tail -1; }
has_window() { [ -n "$(window "$1")" ]; }
recovery_of() { ls "$state"/recovery-"$1"-*.klr 2>/dev/null | head -1; }
has_recovery_of() { [ -n "$(recovery_of "$1")" ]; }

# First run: the project opens (its name in the caption), Ctrl+H adds a room.
"$program" "$work/flat.klp" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
within 30 has_window 'flat\.klp$' || fail "the main window with flat.klp did not appear"
main=$(window 'flat\.klp$')
xdotool mousemove --window "$main" 100 100
timeout 5 xdotool windowfocus --sync "$main" || true
xdotool key --clearmodifiers ctrl+h
within 10 has_recovery_of "$first" || fail "no recovery file after the change"
file=$(recovery_of "$first")
grep -qaF "$work/flat.klp" "$file" || fail "the recovery file does not name flat.klp"

# What it holds after its three header lines is the project with the new room.
tail -n +4 "$file" >"$work/recovered.klp"
rooms() { "$cli" show "$1" | grep -c '^room '; }
before=$(rooms "$work/flat.klp")
after=$(rooms "$work/recovered.klp") || fail "the recovery file's project cannot be read"
[ "$after" = $((before + 1)) ] || fail "the recovery file holds $after rooms, flat.klp $before"

kill -KILL "$first"
wait "$first" 2>/dev/null || true
[ -f "$file" ] || fail "the recovery file went with the killed program"
cmp -s "$work/flat.klp" "$examples/flat.klp" || fail "the project file was written"

# Second run: the question box (titled with the program's name alone) offers the
# work, and the file is taken by this program.
"$program" >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
within 30 has_window '^Kalorina [^-]*$' || fail "the second start offered nothing"
[ ! -e "$file" ] || fail "the left-behind file was not taken by the second program"
claimed=$(recovery_of "$second")
[ -n "$claimed" ] || fail "the second program holds no recovery file while it asks"
cmp -s <(tail -n +4 "$claimed") "$work/recovered.klp" || fail "the offered file is not the one left behind"

# No (the question's default button) deletes it.
box=$(window '^Kalorina [^-]*$')
timeout 5 xdotool windowfocus --sync "$box" || true
xdotool key Return
within 10 test ! -e "$claimed" || fail "No did not delete the recovery file"
within 10 has_window ' - $' || fail "the main window did not follow the question"
kill -TERM "$second"
wait "$second" 2>/dev/null || true
left=$(ls -A "$state")
[ -z "$left" ] || fail "left in the state folder: $left"
echo "recovered $after rooms after SIGKILL; offered at the next start, deleted on No"
