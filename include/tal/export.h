/// \file
/// Symbol export for the tal library: everything public goes through TAL_API.
#pragma once

#if defined(TAL_STATIC_DEFINE)
#define TAL_API
#elif defined(_WIN32)
#if defined(TAL_BUILDING)
#define TAL_API __declspec(dllexport)
#else
#define TAL_API __declspec(dllimport)
#endif
#else
/// Marks a public name of libtal: exported from the shared library, imported by its users.
#define TAL_API __attribute__((visibility("default")))
#endif

/// Marks a public plain function: exported undecorated (C linkage), as a host written in any
/// language links them.
#define TAL_C_API extern "C" TAL_API
