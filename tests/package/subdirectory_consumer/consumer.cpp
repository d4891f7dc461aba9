// Uses Tal from a subdirectory build; its unused parameter warns on purpose, which only a leaked
// -Werror would turn into a failed build.
#include <tal/fixed.h>
#include <tal/frame.h>

#include <cstdio>

int main(int argc, char**) {
    if (Tal_Birth(Tal_Service_BASIC, nullptr) != 0) return 1;
    const Tal_Fixed half = Tal_FixMul(0x00018000, 0x00008000);  // 1.5 * 0.5
    if (Tal_Death() != 0) return 2;
    std::printf("subdirectory consumer: 1.5 * 0.5 = 0x%08x\n", unsigned(half));
    return 0;
}
