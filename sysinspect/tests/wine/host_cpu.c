/* What the host itself reads from the processor: the CPUID brand string and
   the time-stamp counter rate over half a second of the monotonic clock. */
#include <cpuid.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <x86intrin.h>

static double Seconds(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

int main(void) {
  unsigned r[12] = {0};
  for (unsigned i = 0; i < 3; ++i) __cpuid(0x80000002u + i, r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]);
  char brand[49];
  memcpy(brand, r, 48);
  brand[48] = '\0';
  double s0 = Seconds();
  unsigned long long t0 = __rdtsc();
  struct timespec half = {0, 500000000};
  nanosleep(&half, NULL);
  unsigned long long t1 = __rdtsc();
  double s1 = Seconds();
  printf("%.1f\n%s\n", (t1 - t0) / (s1 - s0) / 1e6, brand);
  return 0;
}
