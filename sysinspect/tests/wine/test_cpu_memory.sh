#!/usr/bin/env bash
# The CPU and memory elements on this machine's processor: vendor, brand
# string, family, model and stepping against /proc/cpuinfo, the processor
# count, the measured clock against the host's time-stamp counter rate, and
# the physical memory against /proc/meminfo.
source "$(dirname "$0")/lib.sh"
wine_setup
wine_set_version winxp

out="$TEST_OUT/cpu_memory.xml"
run_report "$out"

# A data line of the CPU element with the given name and source.
cpu_data() {
  xmllint --xpath "string((//CPU/data[@name='$1' and @source='$2'])[1])" "$out"
}
cpuinfo() {
  awk -F': ' -v key="$1" '$1 ~ "^"key"[ \t]*$" {print $2; exit}' /proc/cpuinfo
}
trim() { sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//'; }

# What the host reads from the processor itself.
cc -O1 -o "$TEST_OUT/host_cpu" "$WINE_TESTS_DIR/host_cpu.c" || fail "cannot build the host CPUID reader"
mapfile -t host < <("$TEST_OUT/host_cpu")
host_tsc=${host[0]}
host_brand=$(printf '%s' "${host[1]}" | trim)

expect_eq "$(cpu_data Vendor CPUID)" "$(cpuinfo vendor_id)" "CPUID vendor"

model_name=$(cpuinfo 'model name' | trim)
if [ "$host_brand" != "$model_name" ]; then
  # Some kernels and hypervisors show another model name than the brand
  # string the instruction answers; the instruction is what is compared.
  note "/proc/cpuinfo names '$model_name', the processor answers '$host_brand'"
  model_name=$host_brand
fi
expect_eq "$(cpu_data NameString CPUID)" "$model_name" "brand string"

family=$(cpuinfo 'cpu family')
model=$(cpuinfo model)
stepping=$(cpuinfo stepping)
base_family=$((family >= 15 ? 15 : family))
expect_eq "$(cpu_data Family CPUID)" "$base_family" "family"
expect_eq "$(cpu_data Model CPUID)" "$((model & 15))" "model"
expect_eq "$(cpu_data Stepping CPUID)" "$stepping" "stepping"

expect_eq "$(cpu_data Count API)" "$(grep -c '^processor' /proc/cpuinfo)" "processor count"

# The counter rate the kernel calibrated, else the host's own measurement.
tsc=$(dmesg 2>/dev/null | sed -n 's/.*tsc: Refined TSC clocksource calibration: \([0-9.]*\) MHz.*/\1/p' | tail -n1)
[ -n "$tsc" ] || tsc=$(dmesg 2>/dev/null | sed -n 's/.*tsc: Detected \([0-9.]*\) MHz.*/\1/p' | tail -n1)
[ -n "$tsc" ] || tsc=$host_tsc
measured=$(cpu_data Frequency CPUID)
awk -v m="$measured" -v t="$tsc" 'BEGIN { d = m - t; if (d < 0) d = -d; exit !(t > 0 && d <= 0.02 * t) }' ||
  fail "measured clock $measured MHz is not within 2% of the counter rate $tsc MHz"

mem_kb=$(awk '/^MemTotal:/ {print $2}' /proc/meminfo)
physical=$(xml_data "$out" Memory PhysicalTotal)
awk -v p="$physical" -v k="$mem_kb" 'BEGIN { t = k * 1024; d = p - t; if (d < 0) d = -d; exit !(t > 0 && d <= 0.01 * t) }' ||
  fail "physical memory $physical B is not within 1% of MemTotal $mem_kb kB"

# The feature and cache elements follow the CPU element.
xml_has "$out" "//CPUFeatures/data[@name='BuiltInFPU' and .='1']" || fail "no built-in FPU reported"
xml_has "$out" "//CPUCache" || fail "no cache element"

note "$(cpu_data FriendlyName CPUID), $measured MHz (counter $tsc MHz), $physical bytes"
echo "PASS"
