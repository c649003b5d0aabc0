/* Functions that GCC's runtime and MinGW-w64's libmingwex call by the names
   msvcrt.dll exports, which CRTDLL.DLL exports under other names or not at
   all. Appended to the CRTDLL import library by scripts/toolchain-i486.sh.
   No C library header is included: they declare some of these names as
   imports from the DLL. */
#include <errno.h>

int __cdecl _close(int fd);
int __cdecl _read(int fd, void *buffer, unsigned int size);

int __cdecl close(int fd) { return _close(fd); }

int __cdecl read(int fd, void *buffer, unsigned int size) { return _read(fd, buffer, size); }

/* Parsed here rather than through strtoll, which would need libgcc's 64-bit
   division after the driver's last search of libgcc. As atoi: leading
   blanks, a sign, decimal digits; overflow is undefined there too. */
long long __cdecl _atoi64(const char *text) {
  unsigned long long value = 0;
  int negative;
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  while (*text >= '0' && *text <= '9') value = value * 10 + (unsigned)(*text++ - '0');
  return negative ? (long long)(0 - value) : (long long)value;
}

/* No source of random numbers the system vouches for: say so, and the
   caller (std::random_device) reports it as an error. */
int __cdecl rand_s(unsigned int *value) {
  if (value) *value = 0;
  return EINVAL;
}

/* libstdc++ calls it as an import from the DLL. */
int(__cdecl *_imp__rand_s)(unsigned int *) = rand_s;
