// 2D and 3D transform walk-through: build, invert, decompose, extract angles.
#pragma once

void RunTransformWalkthrough();
