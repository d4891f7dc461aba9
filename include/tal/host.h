// The host's side of the library: where reports go, and the memory hooks a host or a test drives.
// A host that brings its own base libraries replaces these together with
// src/frame/base_library.cpp.
#pragma once

#include <cstdint>

#include "tal/export.h"

/// Receives every report: its 32-bit code, severity (4, 8 or 16), base-library number (0 for a
/// message report) and text (never null; empty when the base-library report had no detail).
typedef void (*Bas_ReportSink)(int32_t code, int32_t severity, int32_t number, const char* text,
                               void* context);

/// Sends every later report to sink; a null sink restores the built-in recorder.
TAL_C_API void Bas_SetReportSink(Bas_ReportSink sink, void* context);

/// Number of reports the built-in recorder holds (it keeps the last 1024).
TAL_C_API int32_t Bas_RecordedReportCount(void);

/// Reads recorded report index (oldest first); returns 0 and writes nothing when out of range.
/// The text stays valid until the recorder is cleared.
TAL_C_API int Bas_GetRecordedReport(int32_t index, int32_t* code, int32_t* severity,
                                    int32_t* number, const char** text);

/// Forgets every recorded report.
TAL_C_API void Bas_ClearRecordedReports(void);

/// Plays memory pressure: releases every purgeable block and nulls its slot.
TAL_C_API void Bas_PurgeMemory(void);

/// Makes the next n handle allocations (reporting or quiet) return null; 0 ends the injection.
TAL_C_API void Bas_FailNextHandleAllocations(int32_t n);

/// Lets the next skip handle allocations succeed, then makes n fail; (0, 0) ends the injection.
TAL_C_API void Bas_FailHandleAllocationsAfter(int32_t skip, int32_t n);

/// Makes the next n tracked allocations throw std::bad_alloc; 0 ends the injection.
TAL_C_API void Bas_FailNextTrackedAllocations(int32_t n);

/// Number of handles and tracked blocks now allocated (a leak check for tests and hosts).
TAL_C_API int32_t Bas_LiveHandleCount(void);
TAL_C_API int32_t Bas_LiveTrackedCount(void);

/// The value Basp_ReportNiroErrString returns for base-library error number n: -n, never a code
/// of the library itself.
constexpr int32_t Bas_NiroErr(int32_t number) {
    return -number;
}
