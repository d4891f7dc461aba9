// Birth, death, the globals hand-over between instances, and the version checks.
#include <atomic>
#include <cstdio>

#include "frame/base_library.h"
#include "frame/frame_internal.h"

Talp_Globals Talp_G;

namespace {

constexpr int32_t Talp_NiroInvalidBlock = 2;
constexpr int32_t Talp_NiroGaussian = 5;
constexpr int32_t Talp_NiroNotBorn = 11;
constexpr int32_t Talp_NiroAlreadyBorn = 12;
constexpr int16_t Talp_GaussianText = 5;  // "Gaussian table initialization."
constexpr uint16_t Talp_BirthSite = 0x14;
constexpr uint16_t Talp_DeathSite = 0x15;
constexpr uint16_t Talp_GetGlobalsSite = 0x16;
constexpr uint16_t Talp_SetGlobalsSite = 0x17;
constexpr uint16_t Talp_GaussianBirthSite = 0x1D;
constexpr uint16_t Talp_GaussianDeathSite = 0x1E;
constexpr uint16_t Talp_VersionSite = 0x01;
constexpr long Talp_GlobalsBytes = long(sizeof(Talp_Globals));

// Checks may come from several threads at once; exactly one of them calls the base libraries.
std::atomic<bool> Talp_VersionsChecked{false};

Tal_Err Talp_Refuse(uint16_t site, int32_t number) {
    return Basp_ReportNiroErrString(Tal_ReportCode(site), 8, number, nullptr);
}

Tal_Err Talp_GaussianStep(uint16_t site) {
    return Basp_ReportNiroErrString(Tal_ReportCode(site), 8, Talp_NiroGaussian,
                                    Bas_ZLookupLStrCache(Tal_G_zref, Talp_GaussianText, 0, 0));
}

void Talp_SetGuards(uint32_t value) {
    Talp_G.guard1 = value;
    Talp_G.guard2 = value;
}

Tal_Err Talp_SetUp(Tal_ServiceFlags service) {
    switch (service) {
        case Tal_Service_FAST_TRIG:
            return Talp_BirthFastTrig();
        case Tal_Service_FCMD:
            return Talp_BirthFCMD();
        case Tal_Service_GAUSSIAN:
            return Talp_GaussianStep(Talp_GaussianBirthSite);
        default:
            return 0;
    }
}

Tal_Err Talp_Release(Tal_ServiceFlags service) {
    switch (service) {
        case Tal_Service_FAST_TRIG:
            return Talp_DeathFastTrig();
        case Tal_Service_FCMD:
            return Talp_DeathFCMD();
        case Tal_Service_GAUSSIAN:
            return Talp_GaussianStep(Talp_GaussianDeathSite);
        default:
            return 0;
    }
}

constexpr Tal_ServiceFlags Talp_ServiceOrder[] = {Tal_Service_BASIC, Tal_Service_FAST_TRIG,
                                                  Tal_Service_FCMD, Tal_Service_GAUSSIAN};

// A failed birth cannot be followed by a death, so the tables it allocated go back at once.
void Talp_UndoTables(uint32_t setUp) {
    if (setUp & Tal_Service_FAST_TRIG) Talp_DeathFastTrig();
    if (setUp & Tal_Service_FCMD) Talp_DeathFCMD();
}

}  // namespace

Tal_Err Tal_Birth(Tal_ServiceFlags requested, uint32_t* bornServices) {
    Pev_Log(10, "Tal", "Birth", "Tal Birth");
    if (Talp_IsBorn()) return Talp_Refuse(Talp_BirthSite, Talp_NiroAlreadyBorn);
    Talp_G.bornServices = 0;
    Tal_Err err = 0;
    uint32_t setUp = 0;
    for (Tal_ServiceFlags service : Talp_ServiceOrder) {
        if (!(requested & service)) continue;
        const Tal_Err result = Talp_SetUp(service);
        if (result == 0) setUp |= service;
        if (result != 0 && err == 0) err = result;
        if (result == 0 && err == 0) Talp_G.bornServices |= service;
    }
    if (bornServices) *bornServices = Talp_G.bornServices;
    if (err != 0) {
        Talp_UndoTables(setUp);
        return err;
    }
    Talp_SetGuards(Tal_BornGuard);
    return 0;
}

Tal_Err Tal_Death(void) {
    Pev_Log(10, "Tal", "Death", "Tal Death");
    if (!Talp_IsBorn()) return Talp_Refuse(Talp_DeathSite, Talp_NiroNotBorn);
    Tal_Err result = 0;
    for (Tal_ServiceFlags service : Talp_ServiceOrder)
        if (Talp_G.bornServices & service) result = Talp_Release(service);
    Talp_SetGuards(0);
    return result;
}

Tal_Err Tal_GetGlobals(void* dst) {
    if (!Talp_IsBorn()) return Talp_Refuse(Talp_GetGlobalsSite, Talp_NiroNotBorn);
    if (!dst) return Talp_Refuse(Talp_GetGlobalsSite, Talp_NiroInvalidBlock);
    BlockMove(&Talp_G, dst, Talp_GlobalsBytes);
    Talp_SetGuards(0);
    return 0;
}

Tal_Err Tal_SetGlobals(const void* src) {
    if (Talp_IsBorn()) return Talp_Refuse(Talp_SetGlobalsSite, Talp_NiroAlreadyBorn);
    if (!src) return Talp_Refuse(Talp_SetGlobalsSite, Talp_NiroInvalidBlock);
    BlockMove(src, &Talp_G, Talp_GlobalsBytes);
    if (Talp_IsBorn()) return 0;
    return Talp_Refuse(Talp_SetGlobalsSite, Talp_NiroInvalidBlock);
}

Tal_Err Tal_CheckVersions(int32_t code, int32_t expectedMajor) {
    int32_t baseResult = 0;
    // Set before the calls: a check that calls back in must not recurse.
    if (!Talp_VersionsChecked.exchange(true)) {
        const int32_t bas =
            Bas_CheckVersions(Tal_ReportCode(Talp_VersionSite), Tal_BasInterfaceVersion);
        const int32_t lex =
            Lex_CheckVersions(Tal_ReportCode(Talp_VersionSite), Tal_LexInterfaceVersion);
        baseResult = bas | lex;
    }
    if (expectedMajor != Tal_MajorVersion) {
        Basp_G_err_buf[0] = 0;
        std::snprintf(Basp_G_buffer, Basp_BufferSize,
                      "Plug-in version mismatch detected (did you install over an older version of "
                      "Sorvane?). Try uninstalling and re-installing. (%s package v%ld != %s v%ld)",
                      "Tal", long(Tal_MajorVersion), "Tal", long(expectedMajor));
        Basp_ReportError(code, 16);
        return Tal_Err_VERSION_MISMATCH;
    }
    return baseResult != 0 ? Tal_Err_VERSION_MISMATCH : 0;
}

uint32_t Tal_PkgObjectVersion(void) {
    return Tal_PackageVersion;
}

void Talp_ResetVersionCheck() {
    Talp_VersionsChecked.store(false);
}
