// The host's typical request: a layer placed in 3D, seen from a camera that moves through it.
#pragma once

/// Prints a summary per camera position and writes one SVG picture per position into outDir
/// (created when missing). Returns 0, or 1 when a picture could not be written.
int RunTypicalRequest(const char* outDir);
