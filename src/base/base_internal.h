// Internal to the reference base library: the paths every report takes.
#pragma once

#include <cstdint>

/// Hands one report, whole, to the sink, or to the recorder while no sink is set or when the
/// calling thread is inside the sink; text is copied before this returns.
void Basp_Deliver(int32_t code, int32_t severity, int32_t number, const char* text);

/// Appends one report to the recorder, dropping the oldest when it is full.
void Basp_Record(int32_t code, int32_t severity, int32_t number, const char* text);
