// A host in miniature: checks the version, is born with the character tables, borrows one, dies.
#include <tal/frame.h>

#include <cstdio>

int main() {
    if (Tal_CheckVersions(0x230001, 18) != 0) return 1;
    if (Tal_Birth(Tal_Service_BASIC | Tal_Service_FCMD, nullptr) != 0) return 2;
    const uint8_t* mul = nullptr;
    if (Tal_PrepareFCMD(1, 0, nullptr, &mul, nullptr) != 0 || mul[255 * 256 + 128] != 128) return 3;
    Tal_UnprepareFCMD();
    if (Tal_Death() != 0) return 4;
    const uint32_t v = Tal_PkgObjectVersion();
    std::printf("consumer: Tal %u.%u born and ended\n", unsigned(v >> 16), unsigned(v & 0xFFFF));
    return 0;
}
