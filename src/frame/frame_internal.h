// Internal names: Talp_X, shared ones in internal headers, a file's own in its anonymous namespace.
// Internal to the frame: the table services the life cycle drives, and the table builders.
#pragma once

#include <cstdint>

#include "tal/frame.h"

/// True while both guards of Talp_G hold Tal_BornGuard.
inline bool Talp_IsBorn() {
    return Talp_G.guard1 == Tal_BornGuard && Talp_G.guard2 == Tal_BornGuard;
}

/// Set-up and release of the two table services; set-up returns 0 or Tal_Err_OUT_OF_MEMORY (the
/// base library reported), release frees the service's handles and returns 0.
Tal_Err Talp_BirthFastTrig();
Tal_Err Talp_DeathFastTrig();
Tal_Err Talp_BirthFCMD();
Tal_Err Talp_DeathFCMD();

/// Fill a table with its exact entries (Tal_CharTableSize bytes, Tal_SineTableSize floats).
void Talp_FillMulTable(uint8_t* table);
void Talp_FillDivTable(uint8_t* table);
void Talp_FillSineTable(float* table);

/// Default text of message index (0 to 41) of the library's own table, whatever Tal_G_zref names.
const char* Talp_BuiltInText(int index);

/// Makes the next Tal_CheckVersions behave as the first call of the process again.
void Talp_ResetVersionCheck();
