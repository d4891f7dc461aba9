/// \file
/// The reference base library's test hooks: its report recorder, counters and fault injection.
/// Only Tal::base has them; a host or plug-in never needs this header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tal/base.h"

// ---- Recorder: where reports go while no sink is set --------------------------------------------

/// Reports the recorder holds at most; beyond that the oldest is dropped.
constexpr int32_t Bas_RecorderCapacity = 4096;

/// Number of reports the recorder holds.
TAL_BASE_C_API int32_t Bas_RecordedReportCount(void);

/// Takes the oldest report out of the recorder: code, severity, number, and its text cut to
/// textSize - 1 chars (any output may be null); returns 0 and writes nothing when it is empty.
TAL_BASE_C_API int Bas_TakeRecordedReport(int32_t* code, int32_t* severity, int32_t* number,
                                          char* text, size_t textSize);

/// Forgets every recorded report and zeroes the dropped count.
TAL_BASE_C_API void Bas_ClearRecordedReports(void);

/// Reports dropped because the recorder was full, since the last clear.
TAL_BASE_C_API int32_t Bas_DroppedReportCount(void);

/// The value Basp_ReportNiroErrString returns for base-library error number n: -n, never a code
/// of the library itself.
constexpr int32_t Bas_NiroErr(int32_t number) {
    return -number;
}

// ---- Memory: pressure, fault injection and leak counters ----------------------------------------

/// Plays memory pressure: releases every purgeable block and nulls its slot.
TAL_BASE_C_API void Bas_PurgeMemory(void);

/// Makes the next n handle allocations (reporting or quiet) return null; 0 ends the injection.
TAL_BASE_C_API void Bas_FailNextHandleAllocations(int32_t n);

/// Lets the next skip handle allocations succeed, then makes n fail; (0, 0) ends the injection.
TAL_BASE_C_API void Bas_FailHandleAllocationsAfter(int32_t skip, int32_t n);

/// Makes the next n tracked allocations throw std::bad_alloc; 0 ends the injection.
TAL_BASE_C_API void Bas_FailNextTrackedAllocations(int32_t n);

/// Number of handles now allocated.
TAL_BASE_C_API int32_t Bas_LiveHandleCount(void);
/// Number of tracked blocks now allocated.
TAL_BASE_C_API int32_t Bas_LiveTrackedCount(void);

// ---- Version checks ----------------------------------------------------------------------------

/// Makes every later Bas_CheckVersions / Lex_CheckVersions fail (true) or judge normally (false).
TAL_BASE_API void Basp_FailVersionChecks(bool bas, bool lex);

/// Calls of Bas_CheckVersions and Lex_CheckVersions so far, and the last arguments each received.
struct Basp_VersionCheckLog {
    ///@{
    /// Calls of each check, then the code and version each last received.
    int32_t basCalls, lexCalls, basCode, lexCode, basVersion, lexVersion;
    ///@}
};
/// The log of the version checks so far.
TAL_BASE_API Basp_VersionCheckLog Basp_VersionChecks();
