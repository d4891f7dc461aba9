// The library's calls into the host's base libraries go through the names of tal/base.h only.
#pragma once

#include <cstdint>

#include "tal/base.h"
#include "tal/frame.h"

/// Reports message index of the library's own table as a direct text at site, severity 8.
inline void Talp_ReportMessage(uint16_t site, int32_t index) {
    Basp_ReportErrString(Tal_ReportCode(site), 8, Bas_ZLookupLStrCache(Tal_G_zref, index, 0, 0));
}
