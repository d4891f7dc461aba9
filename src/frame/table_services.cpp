// The two borrowed table services: set-up at birth, counted loans, rebuild after a purge, release.
#include "frame/base_library.h"
#include "frame/frame_internal.h"

namespace {

constexpr int16_t Talp_TableName = 6;         // "FCM/D table": the name of every table handle
constexpr int16_t Talp_FcmdUnavailable = 8;   // "fast character math will be unavailable."
constexpr int16_t Talp_FcmdPhrase = 18;       // "fast char math"
constexpr int16_t Talp_TrigPhrase = 31;       // "fast trig"
constexpr int16_t Talp_TrigUnavailable = 32;  // "fast trig will be unavailable."
constexpr uint16_t Talp_TrigBirthSite = 0x19;
constexpr uint16_t Talp_FcmdBirthSite = 0x1B;
constexpr uint16_t Talp_FcmdPrepareSite = 0x1F;
constexpr uint16_t Talp_FcmdUnprepareSite = 0x20;
constexpr uint16_t Talp_TrigSite = 0x2A;
constexpr int32_t Talp_SineBytes = Tal_SineTableSize * int32_t(sizeof(float));

const char* Talp_MessageText(int16_t index) {
    return Bas_ZLookupLStrCache(Tal_G_zref, index, 0, 0);
}

Bas_Handle Talp_AllocateAtBirth(uint16_t site, int32_t byteCount) {
    return Bas_AllocateHandle(Tal_ReportCode(site), Talp_MessageText(Talp_TableName), byteCount, 0);
}

void Talp_Release(uint32_t& handle) {
    if (handle != 0) Bas_FreeHandle(handle);
    handle = 0;
}

uint8_t* Talp_Bytes(Bas_Handle h) {
    return static_cast<uint8_t*>(Bas_HandleBlock(h));
}
float* Talp_Floats(Bas_Handle h) {
    return static_cast<float*>(Bas_HandleBlock(h));
}

void Talp_FillCharTables() {
    Talp_FillMulTable(Talp_Bytes(Talp_G.mulHandle));
    Talp_FillDivTable(Talp_Bytes(Talp_G.divHandle));
}

bool Talp_FcmdUsable() {
    return (Talp_G.bornServices & Tal_Service_FCMD) && Talp_G.mulHandle != 0 &&
           Talp_G.divHandle != 0;
}

bool Talp_TrigUsable() {
    return (Talp_G.bornServices & Tal_Service_FAST_TRIG) && Talp_G.sineHandle != 0;
}

// Replaces both released character tables with new unpurgeable ones. A partial allocation is
// undone: handing out an unbuilt block would be worse than having no table.
bool Talp_RebuildCharTables() {
    Talp_Release(Talp_G.mulHandle);
    Talp_Release(Talp_G.divHandle);
    Talp_G.mulHandle = Bas_AllocateHandleQuiet(Tal_CharTableSize, 0);
    Talp_G.divHandle = Bas_AllocateHandleQuiet(Tal_CharTableSize, 0);
    if (Talp_G.mulHandle == 0 || Talp_G.divHandle == 0) {
        Talp_Release(Talp_G.mulHandle);
        Talp_Release(Talp_G.divHandle);
        return false;
    }
    Talp_FillCharTables();
    return true;
}

bool Talp_RebuildSineTable() {
    Talp_Release(Talp_G.sineHandle);
    Talp_G.sineHandle = Bas_AllocateHandleQuiet(Talp_SineBytes, 0);
    if (Talp_G.sineHandle == 0) return false;
    Talp_FillSineTable(Talp_Floats(Talp_G.sineHandle));
    return true;
}

}  // namespace

// ---- Set-up and release -----------------------------------------------------------------------

Tal_Err Talp_BirthFastTrig() {
    const Bas_Handle h = Talp_AllocateAtBirth(Talp_TrigBirthSite, Talp_SineBytes);
    Talp_G.sineHandle = h;
    if (h == 0) return Tal_Err_OUT_OF_MEMORY;
    Bas_HPurge(h);
    Talp_FillSineTable(Talp_Floats(h));
    return 0;
}

Tal_Err Talp_DeathFastTrig() {
    Talp_Release(Talp_G.sineHandle);
    return 0;
}

Tal_Err Talp_BirthFCMD() {
    Talp_G.mulHandle = Talp_AllocateAtBirth(Talp_FcmdBirthSite, Tal_CharTableSize);
    if (Talp_G.mulHandle == 0) return Tal_Err_OUT_OF_MEMORY;
    Talp_G.divHandle = Talp_AllocateAtBirth(Talp_FcmdBirthSite, Tal_CharTableSize);
    if (Talp_G.divHandle == 0) {
        Talp_Release(Talp_G.mulHandle);
        return Tal_Err_OUT_OF_MEMORY;
    }
    Bas_HPurge(Talp_G.mulHandle);
    Bas_HPurge(Talp_G.divHandle);
    Talp_FillCharTables();
    return 0;
}

Tal_Err Talp_DeathFCMD() {
    Talp_Release(Talp_G.mulHandle);
    Talp_Release(Talp_G.divHandle);
    return 0;
}

// ---- Loans ------------------------------------------------------------------------------------

Tal_Err Tal_PrepareFCMD(uint8_t reportFailure, uint8_t noRebuild, uint8_t* ok,
                        const uint8_t** mulTable, const uint8_t** divTable) {
    if (mulTable) *mulTable = nullptr;
    if (divTable) *divTable = nullptr;
    bool success = true;
    Tal_Err result = 0;
    if (!Talp_FcmdUsable()) {
        result = Talp_ReportErr(Talp_FcmdPrepareSite, Tal_Err_UNREQUESTED_SERVICE, Talp_FcmdPhrase);
        success = false;
    } else {
        // Only a first borrower may find a purged table: the last Unprepare made them purgeable.
        if (Talp_G.fcmdRequests == 0 &&
            (!Bas_HandleBlock(Talp_G.mulHandle) || !Bas_HandleBlock(Talp_G.divHandle))) {
            success = !noRebuild && Talp_RebuildCharTables();
        }
        ++Talp_G.fcmdRequests;
        if (!success && reportFailure) {
            Talp_ReportMessage(Talp_FcmdPrepareSite, Talp_FcmdUnavailable);
            result = Tal_Err_OUT_OF_MEMORY;
        } else {
            if (mulTable) *mulTable = Talp_Bytes(Talp_G.mulHandle);
            if (divTable) *divTable = Talp_Bytes(Talp_G.divHandle);
        }
    }
    if (ok) *ok = success ? 1 : 0;
    return result;
}

Tal_Err Tal_UnprepareFCMD(void) {
    if (!Talp_FcmdUsable())
        return Talp_ReportErr(Talp_FcmdUnprepareSite, Tal_Err_UNREQUESTED_SERVICE, Talp_FcmdPhrase);
    if (--Talp_G.fcmdRequests == 0) {
        Bas_HPurge(Talp_G.mulHandle);
        Bas_HPurge(Talp_G.divHandle);
    }
    return 0;
}

Tal_Err Tal_PrepareFTrig(uint8_t reportFailure, uint8_t noRebuild, uint8_t* ok,
                         const float** sineTable) {
    if (sineTable) *sineTable = nullptr;
    bool success = true;
    Tal_Err result = 0;
    if (!Talp_TrigUsable()) {
        result = Talp_ReportErr(Talp_TrigSite, Tal_Err_UNREQUESTED_SERVICE, Talp_TrigPhrase);
        success = false;
    } else {
        if (Talp_G.trigRequests == 0 && !Bas_HandleBlock(Talp_G.sineHandle))
            success = !noRebuild && Talp_RebuildSineTable();
        ++Talp_G.trigRequests;
        if (!success && reportFailure) {
            Talp_ReportMessage(Talp_TrigSite, Talp_TrigUnavailable);
            result = Tal_Err_OUT_OF_MEMORY;
        } else if (sineTable) {
            *sineTable = Talp_Floats(Talp_G.sineHandle);
        }
    }
    if (ok) *ok = success ? 1 : 0;
    return result;
}

Tal_Err Tal_UnprepareFTrig(void) {
    if (!Talp_TrigUsable())
        return Talp_ReportErr(Talp_TrigSite, Tal_Err_UNREQUESTED_SERVICE, Talp_TrigPhrase);
    if (--Talp_G.trigRequests == 0) Bas_HPurge(Talp_G.sineHandle);
    return 0;
}
