// Tal demo: the library's typical use, printed for a person to read.
#include <cstdio>

#include "tal/frame.h"

int main() {
    std::printf("Tal package version 0x%06x\n", unsigned(Tal_PackageVersion));
    return 0;
}
