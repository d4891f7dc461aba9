/// \file
/// Package frame: the reporter, the message table, life cycle, globals hand-over, version checks
/// and the two borrowed lookup-table services (fast character math, fast sine).
#pragma once

#include <cstddef>
#include <cstdint>

#include "tal/error.h"
#include "tal/version.h"

/// Reports err once, at site, with the message for its code and phrase (a message index) as the
/// detail; returns err unchanged, and does nothing for 0.
TAL_C_API Tal_Err Talp_ReportErr(uint16_t site, Tal_Err err, int16_t phrase);

// ---- Message table ----------------------------------------------------------------------------

/// One message: "$$$/SV/Tal/LStr/NNNN=" + default text; the other words belong to the base library.
struct Tal_LStrEntry {
    const char* key;       ///< "$$$/SV/Tal/LStr/NNNN=" + text; null in the terminator
    uint32_t reserved[3];  ///< the base library's; 0 (terminator: 0xFFFFFFFF, 0xFFFFFFFF, 0)
};

/// Descriptor of the message table: package name, record count (with terminator), records.
struct Tal_LStrTable {
    const char* name;              ///< "Tal"
    uint32_t count;                ///< Tal_MessageCount + 1: the records with the terminator
    const Tal_LStrEntry* records;  ///< the first record
    uint32_t reserved;             ///< 0
};

/// Messages in the table, the terminator not counted; keys 0000 to 0041.
constexpr int Tal_MessageCount = 42;

/// The message table every lookup goes through; a host may point it at its own. A format (messages
/// 0, 1, 2, 3, 7, 10) whose conversions differ from its built-in text's is not used: the reporter
/// formats the built-in text instead.
TAL_C_API const Tal_LStrTable* Tal_G_zref;

// ---- Life cycle and globals -------------------------------------------------------------------

/// The services a host requests at birth, one bit each.
typedef uint8_t Tal_ServiceFlags;
constexpr Tal_ServiceFlags Tal_Service_BASIC = 1;      ///< the library itself
constexpr Tal_ServiceFlags Tal_Service_FAST_TRIG = 2;  ///< the fast sine table
constexpr Tal_ServiceFlags Tal_Service_FCMD = 4;       ///< the character multiply and divide tables
constexpr Tal_ServiceFlags Tal_Service_GAUSSIAN = 8;   ///< not provided: its birth always fails

/// Guard word held by both guards while the library is born.
constexpr uint32_t Tal_BornGuard = 0x27182818;

/// The whole state of the library, handed between instances as 36 raw bytes.
struct Talp_Globals {
    uint32_t guard1;        ///< Tal_BornGuard while born
    uint32_t bornServices;  ///< services whose set-up succeeded
    uint32_t reserved1;     ///< 0
    uint32_t mulHandle;     ///< Bas_Handle of the character multiply table
    uint32_t divHandle;     ///< Bas_Handle of the character divide table
    uint32_t reserved2;     ///< 0
    uint32_t sineHandle;    ///< Bas_Handle of the fast sine table
    uint32_t guard2;        ///< Tal_BornGuard while born
    uint16_t fcmdRequests;  ///< outstanding Tal_PrepareFCMD requests
    uint16_t trigRequests;  ///< outstanding Tal_PrepareFTrig requests
};
static_assert(sizeof(Talp_Globals) == 36, "the globals block is 36 bytes on every platform");
static_assert(offsetof(Talp_Globals, mulHandle) == 12 && offsetof(Talp_Globals, sineHandle) == 24 &&
                  offsetof(Talp_Globals, guard2) == 28 &&
                  offsetof(Talp_Globals, fcmdRequests) == 32 &&
                  offsetof(Talp_Globals, trigRequests) == 34,
              "globals block layout");

/// The library's globals block: all zero at load, born while both guards hold Tal_BornGuard.
TAL_C_API Talp_Globals Talp_G;

/// Sets up the requested services in bit order 1, 2, 4, 8; stores the services set up before the
/// first failure into *bornServices (if given) and is born only when all succeeded. A failed birth
/// releases the tables it set up. Already born: reports base-library number 12 at site 0x14,
/// changes nothing and leaves *bornServices unwritten. The Gaussian service always reports (site
/// 0x1D).
TAL_C_API Tal_Err Tal_Birth(Tal_ServiceFlags requested, uint32_t* bornServices);

/// Releases the born services and clears the guards; returns the last release's result (0 if
/// none ran). Not born: reports base-library number 11 at site 0x15 and changes nothing.
TAL_C_API Tal_Err Tal_Death(void);

/// Moves the 36-byte globals block to dst and leaves this instance not born. Not born: reports
/// base-library number 11 at site 0x16 and writes nothing; a null dst reports number 2 there and
/// stays born.
TAL_C_API Tal_Err Tal_GetGlobals(void* dst);

/// Takes a 36-byte globals block from src; born if both its guards are intact, otherwise the bytes
/// stay but the instance is not born and number 2 is reported at site 0x17. Already born: reports
/// number 12 at site 0x17 and copies nothing. A null src reports number 2 and changes nothing.
TAL_C_API Tal_Err Tal_SetGlobals(const void* src);

/// Checks the caller's major version against Tal_MajorVersion (and, on the first call only, the
/// base libraries); a different major composes the mismatch message and reports it under code with
/// severity 16. Returns 0 or Tal_Err_VERSION_MISMATCH.
TAL_C_API Tal_Err Tal_CheckVersions(int32_t code, int32_t expectedMajor);

/// Always Tal_PackageVersion.
TAL_C_API uint32_t Tal_PkgObjectVersion(void);

// ---- Borrowed lookup tables -------------------------------------------------------------------
// Character math: two 256 x 256 byte tables, entry [i][j] at i * 256 + j.
//   mul[i][j] = (i * j + 127) / 255             the 0..255-scale product, rounded
//   div[i][j] = (j * 255 + i / 2) / i  (j < i)  j / i on the 0..255 scale, rounded; 255 for j >= i
// Fast trig: 256 floats, sine[k] = (float) sin(k / 255.0 * pi/2), a quarter wave.

constexpr int Tal_CharTableSize = 256 * 256;  ///< bytes in each character-math table
constexpr int Tal_SineTableSize = 256;        ///< floats in the sine table

/// Lends both character-math tables: counts a request (even a failed one) and, when none was
/// outstanding, rebuilds tables the base library released unless noRebuild is set. *ok (if given)
/// tells whether both tables are available. Unavailable: with reportFailure reports text 8 at site
/// 0x1F and returns Tal_Err_OUT_OF_MEMORY with null outputs, else returns 0 with the current
/// (possibly null) addresses. Service not born: reports Tal_Err_UNREQUESTED_SERVICE at site 0x1F,
/// outputs null, count untouched.
TAL_C_API Tal_Err Tal_PrepareFCMD(uint8_t reportFailure, uint8_t noRebuild, uint8_t* ok,
                                  const uint8_t** mulTable, const uint8_t** divTable);

/// Ends one request for the character-math tables; the last one makes them purgeable again.
/// Service not born: reports Tal_Err_UNREQUESTED_SERVICE at site 0x20 and changes nothing.
TAL_C_API Tal_Err Tal_UnprepareFCMD(void);

/// Lends the sine table, as Tal_PrepareFCMD does (failure: text 32 at site 0x2A; service not born:
/// Tal_Err_UNREQUESTED_SERVICE at site 0x2A).
TAL_C_API Tal_Err Tal_PrepareFTrig(uint8_t reportFailure, uint8_t noRebuild, uint8_t* ok,
                                   const float** sineTable);

/// Ends one request for the sine table; the last one makes it purgeable again. Service not born:
/// reports Tal_Err_UNREQUESTED_SERVICE at site 0x2A and changes nothing.
TAL_C_API Tal_Err Tal_UnprepareFTrig(void);
