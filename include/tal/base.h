/// \file
/// What the library needs from the host's base libraries: Bas (messages, reports, handles and
/// purgeable memory, tracked allocation, version check), Lex (version check), Pev (log) and Oda
/// (BlockMove). Tal::base (libtal_base) is the reference implementation; a host that brings its own
/// base libraries defines these names instead (the CMake package lists them in Tal_BASE_NAMES).
/// Everything here may be called from any number of threads at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

#include "tal/frame.h"

#if defined(TAL_STATIC_DEFINE)
#define TAL_BASE_API
#elif defined(_WIN32)
#if defined(TAL_BASE_BUILDING)
#define TAL_BASE_API __declspec(dllexport)
#else
#define TAL_BASE_API __declspec(dllimport)
#endif
#else
/// Marks a public name of libtal_base: exported from it, imported by its users.
#define TAL_BASE_API __attribute__((visibility("default")))
#endif
/// Marks a public plain function of libtal_base (C linkage).
#define TAL_BASE_C_API extern "C" TAL_BASE_API

// ---- Composition buffers -----------------------------------------------------------------------

/// Chars in Basp_G_buffer: more than the longest composed message (under 256).
constexpr size_t Basp_BufferSize = 1024;

/// Names the calling thread's own Basp_BufferSize chars, so that messages composed on several
/// threads at the same moment never write over each other.
struct TAL_BASE_API Basp_TextBuffer {
    /// The calling thread's buffer.
    operator char*() const;
};
/// Names the calling thread's own four 32-bit words; word 0 is zeroed before each composition.
struct TAL_BASE_API Basp_ErrBuffer {
    /// The calling thread's four words.
    operator int32_t*() const;
};

/// Messages are composed here with snprintf, then Basp_ReportError reports them.
TAL_BASE_C_API const Basp_TextBuffer Basp_G_buffer;
/// Error words of a report in composition; word 0 is zeroed before each.
TAL_BASE_C_API const Basp_ErrBuffer Basp_G_err_buf;

// ---- Reports ------------------------------------------------------------------------------------

/// Reports the calling thread's Basp_G_buffer under code with severity (4, 8 or 16).
TAL_BASE_C_API void Basp_ReportError(int32_t code, int32_t severity);
/// Reports text (null reads as empty) directly; returns 0.
TAL_BASE_C_API Tal_Err Basp_ReportErrString(int32_t code, int32_t severity, const char* text);
/// Reports base-library error number with a detail text (null: none); returns the code its caller
/// passes on (Bas_NiroErr(number) in Tal::base, never a code of the library).
TAL_BASE_C_API Tal_Err Basp_ReportNiroErrString(int32_t code, int32_t severity, int32_t number,
                                                const char* text);

/// Display text of message index of the table zref describes; never null ("" out of range), valid
/// as long as the table.
TAL_BASE_C_API const char* Bas_ZLookupLStrCache(const Tal_LStrTable* zref, int32_t index, int32_t,
                                                int32_t);

// ---- Handles and purgeable blocks ---------------------------------------------------------------

/// A 32-bit token for a movable block; 0 is the null handle.
typedef uint32_t Bas_Handle;

/// Allocates a block; on failure reports code with name and returns 0.
TAL_BASE_C_API Bas_Handle Bas_AllocateHandle(int32_t code, const char* name, int32_t byteCount,
                                             int32_t flags);
/// Allocates a block; returns 0 on failure without a report.
TAL_BASE_C_API Bas_Handle Bas_AllocateHandleQuiet(int32_t byteCount, int32_t flags);
/// Frees a block and retires its handle; the null or a retired handle is ignored.
TAL_BASE_C_API void Bas_FreeHandle(Bas_Handle handle);
/// Makes the block purgeable: memory pressure may later release it and leave its handle valid.
TAL_BASE_C_API void Bas_HPurge(Bas_Handle handle);
/// The block's address; null once purged, and for the null or a retired handle.
TAL_BASE_C_API void* Bas_HandleBlock(Bas_Handle handle);

// ---- Tracked memory and exceptions --------------------------------------------------------------

/// Allocation that the host tracks; TrackedNew throws std::bad_alloc rather than return null.
struct TAL_BASE_API Bas_MemTrackedObject {
    /// byteCount bytes, zeroed when clear; throws std::bad_alloc on failure, never returns null.
    static void* TrackedNew(size_t byteCount, bool clear);
    /// Frees a block of TrackedNew; null is ignored.
    static void TrackedDelete(void* block);
};

/// Reports a caught exception; returns the code of the failing function (Tal_Err_OUT_OF_MEMORY for
/// an allocation failure).
TAL_BASE_API long Bas_TranslateAndReportException(const std::exception& e);

// ---- Versions, log, memory move -----------------------------------------------------------------

/// The interface versions Tal is built against and passes to the two checks.
constexpr int32_t Tal_BasInterfaceVersion = 61;  ///< passed to Bas_CheckVersions
constexpr int32_t Tal_LexInterfaceVersion = 3;   ///< passed to Lex_CheckVersions

/// Non-zero when the caller's version is not the one this base library expects.
TAL_BASE_C_API int32_t Bas_CheckVersions(int32_t code, int32_t version);
/// Non-zero when the caller's version is not the one this lexicon library expects.
TAL_BASE_C_API int32_t Lex_CheckVersions(int32_t code, int32_t version);
/// Writes an event with text to the host's log at level; Tal::base discards it.
TAL_BASE_C_API void Pev_Log(int32_t level, const char* package, const char* event,
                            const char* text);
/// Copies byteCount bytes from source to destination (they may overlap); nothing for a count <= 0.
TAL_BASE_C_API void BlockMove(const void* source, void* destination, long byteCount);

// ---- Where reports go: Tal::base only -----------------------------------------------------------

/// Receives a report: its code, severity, base-library number (0 for a message report) and text
/// (never null; empty when a base-library report had no detail).
typedef void (*Bas_ReportSink)(int32_t code, int32_t severity, int32_t number, const char* text,
                               void* context);

/// Sends every later report to sink; null sends them to the recorder (tal/base_testing.h). The
/// sink is called for one report at a time, each whole, whatever thread made it; once this returns
/// the previous sink is neither running nor called again. A report made by a thread that is inside
/// the sink (the sink called into Tal) goes to the recorder instead, so a sink never recurses; a
/// sink must not wait for another thread that reports.
TAL_BASE_C_API void Bas_SetReportSink(Bas_ReportSink sink, void* context);
