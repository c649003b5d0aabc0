#!/usr/bin/env bash
# The shipped programs fit one 1.44 MB floppy together (a formatted 1.44 MB
# disk holds 2,847 clusters of 512 bytes: 1,457,664 bytes of files, each
# file taking whole clusters).
# Usage: win32_floppy.sh PROGRAM...
set -euo pipefail
capacity=1457664
total=0
for program in "$@"; do
  size=$(stat -c %s "$program")
  on_disk=$(( (size + 511) / 512 * 512 ))
  echo "$program: $size bytes ($on_disk on the disk)"
  total=$((total + on_disk))
done
echo "together: $total of $capacity bytes"
if [ "$total" -le "$capacity" ]; then
  echo "floppy: 1 passed, 0 failed"
else
  echo "floppy: 0 passed, 1 failed ($((total - capacity)) bytes too many)"
  exit 1
fi
