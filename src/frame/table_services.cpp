// The two borrowed table services: set-up at birth, counted loans, rebuild after a purge, release.
#include "frame/base_library.h"
#include "frame/frame_internal.h"

namespace {

constexpr int16_t kTableName = 6;         // "FCM/D table": the name of every table handle
constexpr int16_t kFcmdUnavailable = 8;   // "fast character math will be unavailable."
constexpr int16_t kFcmdPhrase = 18;       // "fast char math"
constexpr int16_t kTrigPhrase = 31;       // "fast trig"
constexpr int16_t kTrigUnavailable = 32;  // "fast trig will be unavailable."
constexpr uint16_t kTrigBirthSite = 0x19;
constexpr uint16_t kFcmdBirthSite = 0x1B;
constexpr uint16_t kFcmdPrepareSite = 0x1F;
constexpr uint16_t kFcmdUnprepareSite = 0x20;
constexpr uint16_t kTrigSite = 0x2A;
constexpr int32_t kSineBytes = Tal_SineTableSize * int32_t(sizeof(float));

const char* Text(int16_t index) {
    return Bas_ZLookupLStrCache(Tal_G_zref, index, 0, 0);
}

Bas_Handle AllocateAtBirth(uint16_t site, int32_t byteCount) {
    return Bas_AllocateHandle(Tal_ReportCode(site), Text(kTableName), byteCount, 0);
}

void Release(uint32_t& handle) {
    if (handle != 0) Bas_FreeHandle(handle);
    handle = 0;
}

uint8_t* Bytes(Bas_Handle h) {
    return static_cast<uint8_t*>(Bas_HandleBlock(h));
}
float* Floats(Bas_Handle h) {
    return static_cast<float*>(Bas_HandleBlock(h));
}

void FillCharTables() {
    Talp_FillMulTable(Bytes(Talp_G.mulHandle));
    Talp_FillDivTable(Bytes(Talp_G.divHandle));
}

bool FcmdUsable() {
    return (Talp_G.bornServices & Tal_Service_FCMD) && Talp_G.mulHandle != 0 &&
           Talp_G.divHandle != 0;
}

bool TrigUsable() {
    return (Talp_G.bornServices & Tal_Service_FAST_TRIG) && Talp_G.sineHandle != 0;
}

// Replaces both released character tables with new unpurgeable ones. A partial allocation is
// undone: handing out an unbuilt block would be worse than having no table.
bool RebuildCharTables() {
    Release(Talp_G.mulHandle);
    Release(Talp_G.divHandle);
    Talp_G.mulHandle = Bas_AllocateHandleQuiet(Tal_CharTableSize, 0);
    Talp_G.divHandle = Bas_AllocateHandleQuiet(Tal_CharTableSize, 0);
    if (Talp_G.mulHandle == 0 || Talp_G.divHandle == 0) {
        Release(Talp_G.mulHandle);
        Release(Talp_G.divHandle);
        return false;
    }
    FillCharTables();
    return true;
}

bool RebuildSineTable() {
    Release(Talp_G.sineHandle);
    Talp_G.sineHandle = Bas_AllocateHandleQuiet(kSineBytes, 0);
    if (Talp_G.sineHandle == 0) return false;
    Talp_FillSineTable(Floats(Talp_G.sineHandle));
    return true;
}

}  // namespace

// ---- Set-up and release -------------------------------------------------------------------------

Tal_Err Talp_BirthFastTrig() {
    const Bas_Handle h = AllocateAtBirth(kTrigBirthSite, kSineBytes);
    Talp_G.sineHandle = h;
    if (h == 0) return Tal_Err_OUT_OF_MEMORY;
    Bas_HPurge(h);
    Talp_FillSineTable(Floats(h));
    return 0;
}

Tal_Err Talp_DeathFastTrig() {
    Release(Talp_G.sineHandle);
    return 0;
}

Tal_Err Talp_BirthFCMD() {
    Talp_G.mulHandle = AllocateAtBirth(kFcmdBirthSite, Tal_CharTableSize);
    if (Talp_G.mulHandle == 0) return Tal_Err_OUT_OF_MEMORY;
    Talp_G.divHandle = AllocateAtBirth(kFcmdBirthSite, Tal_CharTableSize);
    if (Talp_G.divHandle == 0) {
        Release(Talp_G.mulHandle);
        return Tal_Err_OUT_OF_MEMORY;
    }
    Bas_HPurge(Talp_G.mulHandle);
    Bas_HPurge(Talp_G.divHandle);
    FillCharTables();
    return 0;
}

Tal_Err Talp_DeathFCMD() {
    Release(Talp_G.mulHandle);
    Release(Talp_G.divHandle);
    return 0;
}

// ---- Loans
// ----------------------------------------------------------------------------------------

Tal_Err Tal_PrepareFCMD(uint8_t reportFailure, uint8_t noRebuild, uint8_t* ok,
                        const uint8_t** mulTable, const uint8_t** divTable) {
    if (mulTable) *mulTable = nullptr;
    if (divTable) *divTable = nullptr;
    bool success = true;
    Tal_Err result = 0;
    if (!FcmdUsable()) {
        result = Talp_ReportErr(kFcmdPrepareSite, Tal_Err_UNREQUESTED_SERVICE, kFcmdPhrase);
        success = false;
    } else {
        // Only a first borrower may find a purged table: the last Unprepare made them purgeable.
        if (Talp_G.fcmdRequests == 0 &&
            (!Bas_HandleBlock(Talp_G.mulHandle) || !Bas_HandleBlock(Talp_G.divHandle))) {
            success = !noRebuild && RebuildCharTables();
        }
        ++Talp_G.fcmdRequests;
        if (!success && reportFailure) {
            Talp_ReportMessage(kFcmdPrepareSite, kFcmdUnavailable);
            result = Tal_Err_OUT_OF_MEMORY;
        } else {
            if (mulTable) *mulTable = Bytes(Talp_G.mulHandle);
            if (divTable) *divTable = Bytes(Talp_G.divHandle);
        }
    }
    if (ok) *ok = success ? 1 : 0;
    return result;
}

Tal_Err Tal_UnprepareFCMD(void) {
    if (!FcmdUsable())
        return Talp_ReportErr(kFcmdUnprepareSite, Tal_Err_UNREQUESTED_SERVICE, kFcmdPhrase);
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
    if (!TrigUsable()) {
        result = Talp_ReportErr(kTrigSite, Tal_Err_UNREQUESTED_SERVICE, kTrigPhrase);
        success = false;
    } else {
        if (Talp_G.trigRequests == 0 && !Bas_HandleBlock(Talp_G.sineHandle))
            success = !noRebuild && RebuildSineTable();
        ++Talp_G.trigRequests;
        if (!success && reportFailure) {
            Talp_ReportMessage(kTrigSite, kTrigUnavailable);
            result = Tal_Err_OUT_OF_MEMORY;
        } else if (sineTable) {
            *sineTable = Floats(Talp_G.sineHandle);
        }
    }
    if (ok) *ok = success ? 1 : 0;
    return result;
}

Tal_Err Tal_UnprepareFTrig(void) {
    if (!TrigUsable()) return Talp_ReportErr(kTrigSite, Tal_Err_UNREQUESTED_SERVICE, kTrigPhrase);
    if (--Talp_G.trigRequests == 0) Bas_HPurge(Talp_G.sineHandle);
    return 0;
}
