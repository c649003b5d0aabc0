/* A program the shipped-program checks must refuse: a Pentium Pro
   instruction in a function of its own, and an import Windows 95 retail and
   NT 4.0 RTM lack. Built beside the shipped programs, never shipped. */
#define WINVER 0x0500
#include <windows.h>

__attribute__((noinline)) int PentiumProOnly(int a, int b) {
  __asm__("cmpl %1, %0\n\tcmovl %1, %0" : "+r"(a) : "r"(b) : "cc");
  return a;
}

int main(int argc, char **argv) {
  (void)argv;
  return PentiumProOnly(argc, 2) + (GetAncestor(GetDesktopWindow(), GA_ROOT) != NULL);
}
