// Whether the two-lane double instructions are there; every user keeps a scalar path beside them.
// TAL_FORCE_PORTABLE=1 takes the scalar paths even where SSE2 exists, so that they are tested.
#pragma once

#if !(defined(TAL_FORCE_PORTABLE) && TAL_FORCE_PORTABLE) && \
    (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2))
#define TALP_HAVE_SSE2 1
#include <emmintrin.h>
#else
#define TALP_HAVE_SSE2 0
#endif
