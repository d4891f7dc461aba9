// The library's calls into the host's base libraries: Bas (handles, purgeable memory, messages,
// reports, tracked allocation, version check), Lex (version check), Pev (log) and Oda (BlockMove).
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

#include "tal/frame.h"
#include "tal/host.h"

/// A 32-bit token for a block of memory; it resolves to a slot holding the block's address, which
/// is null once the block was purged. 0 is the null handle.
typedef uint32_t Bas_Handle;

constexpr size_t Basp_BufferSize = 1024;

TAL_C_API char Basp_G_buffer[Basp_BufferSize];
TAL_C_API int32_t Basp_G_err_buf[4];

/// Reports the message that stands in Basp_G_buffer.
TAL_C_API void Basp_ReportError(int32_t code, int32_t severity);
/// Reports text directly.
TAL_C_API Tal_Err Basp_ReportErrString(int32_t code, int32_t severity, const char* text);
/// Reports base-library error number with an optional detail text; returns Bas_NiroErr(number).
TAL_C_API Tal_Err Basp_ReportNiroErrString(int32_t code, int32_t severity, int32_t number,
                                           const char* text);

/// Display text of message index of the table zref describes; never null ("" when out of range).
TAL_C_API const char* Bas_ZLookupLStrCache(const Tal_LStrTable* zref, int32_t index, int32_t,
                                           int32_t);

/// Allocates a movable block; on failure reports code with name and returns 0.
TAL_C_API Bas_Handle Bas_AllocateHandle(int32_t code, const char* name, int32_t byteCount,
                                        int32_t flags);
/// Allocates a movable block; returns 0 on failure without a report.
TAL_C_API Bas_Handle Bas_AllocateHandleQuiet(int32_t byteCount, int32_t flags);
TAL_C_API void Bas_FreeHandle(Bas_Handle handle);
/// Makes the block purgeable: memory pressure may release it and null its slot.
TAL_C_API void Bas_HPurge(Bas_Handle handle);
/// The block's address, or null once purged (or for the null handle).
TAL_C_API void* Bas_HandleBlock(Bas_Handle handle);

/// The versions of the Bas and Lex interfaces this library is built against.
constexpr int32_t Talp_BasVersion = 61;
constexpr int32_t Talp_LexVersion = 3;

/// Non-zero when the caller's version differs from the one this base library expects (or when a
/// test made it fail).
TAL_C_API int32_t Bas_CheckVersions(int32_t code, int32_t version);
TAL_C_API int32_t Lex_CheckVersions(int32_t code, int32_t version);
TAL_C_API void Pev_Log(int32_t level, const char* package, const char* event, const char* text);
TAL_C_API void BlockMove(const void* source, void* destination, long byteCount);

/// Reports a caught exception and returns the code the failing function returns.
TAL_API long Bas_TranslateAndReportException(const std::exception& e);

/// Allocation that the host tracks; a failure throws std::bad_alloc.
struct TAL_API Bas_MemTrackedObject {
    static void* TrackedNew(size_t byteCount, bool clear);
    static void TrackedDelete(void* block);
};

// ---- Test hooks (not exported) ------------------------------------------------------------------

/// Makes every later Bas_CheckVersions / Lex_CheckVersions fail (true) or judge normally (false).
void Basp_FailVersionChecks(bool bas, bool lex);
/// Calls of Bas_CheckVersions and Lex_CheckVersions so far, and the last code each received.
struct Basp_VersionCheckLog {
    int32_t basCalls, lexCalls, basCode, lexCode, basVersion, lexVersion;
};
Basp_VersionCheckLog Basp_VersionChecks();

/// Reports message index of the library's own table as a direct text at site, severity 8.
inline void Talp_ReportMessage(uint16_t site, int32_t index) {
    Basp_ReportErrString(Tal_ReportCode(site), 8, Bas_ZLookupLStrCache(Tal_G_zref, index, 0, 0));
}
