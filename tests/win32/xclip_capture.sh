#!/usr/bin/env bash
# The reference host runs the plugin from a folder of its own while an X program copies two
# texts, 3 s apart (X copies reach Wine's clipboard about every 2 s); afterwards both are
# in the plugin's data file.
# usage: xclip_capture.sh QVHOST_EXE QUIBVAULT_DLL WORK_DIR
set -euo pipefail
host=$1 dll=$2 work=$3
rm -rf "$work"
mkdir -p "$work/QuibVault"
cp "$dll" "$work/QuibVault/"
log="$work/qvhost.log"

wine "$host" "$(winepath -w "$work/QuibVault")" --run 14 >"$log" 2>&1 &
host_pid=$!
for _ in $(seq 1 100); do
  grep -q '^running for' "$log" && break
  sleep 0.2
done
grep -q '^running for' "$log" || { cat "$log"; echo "qvhost did not start the plugin"; exit 1; }

first="from X one $$"
second="from X two $$"
for text in "$first" "$second"; do
  sleep 3
  printf '%s' "$text" | timeout 6 xclip -quiet -selection clipboard -i &
done
wait "$host_pid"
cat "$log"
data="$work/QuibVault/quibvault_data.dat"
for text in "$first" "$second"; do
  grep -aqF "$text" "$data" || { echo "not recorded: $text"; exit 1; }
done
echo "both X copies recorded"
