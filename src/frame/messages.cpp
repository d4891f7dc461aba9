// The library's message table: 42 keyed default texts and a terminator, found through Tal_G_zref.
#include <cstring>

#include "frame/frame_internal.h"
#include "tal/frame.h"

static_assert(sizeof(void*) != 4 || sizeof(Tal_LStrEntry) == 16, "a record is 16 bytes");
static_assert(sizeof(void*) != 4 || sizeof(Tal_LStrTable) == 16, "the descriptor is 16 bytes");

namespace {

alignas(4) const char Talp_PackageName[4] = "Tal";

const Tal_LStrEntry Talp_Messages[Tal_MessageCount + 1] = {
    {"$$$/SV/Tal/LStr/0000=unknown error (%ld).", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0001=underflow %s.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0002=overflow %s.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0003=divide by zero %s.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0004=trig table initialization.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0005=Gaussian table initialization.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0006=FCM/D table", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0007=attempt to use unrequested math service (%s).", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0008=fast character math will be unavailable.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0009=FCMD unprepare without prepare.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0010=zero denominator %s.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0011=in ratio addition", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0012=in ratio subtraction", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0013=in ratio multiply", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0014=converting ratio denominators", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0015=comparing ratios", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0016=invalid rational range", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0017=in ratio span", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0018=fast char math", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0019=in fixed multiply", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0020=in fixed divide", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0021=in fix24 multiply", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0022=in fix24 divide", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0023=in matrix conversion", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0024=unable to invert matrix.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0025=in fixed point transformation", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0026=in point transformation", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0027=in fixed vector transformation", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0028=unimplemented on this platform", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0029=in ratio divide", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0030=Trig table", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0031=fast trig", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0032=fast trig will be unavailable.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0033=Fast Trig unprepare without prepare.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0034=unable to decompose matrix.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0035=unable to build rotation matrix.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0036=unable to calculate normal vector.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0037=unable to intersect plane.", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0038=cannot normalize zero vector", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0039=in vector divide", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0040=homogeneous point has W=0", {0, 0, 0}},
    {"$$$/SV/Tal/LStr/0041=attempt to normalize a homegeneous point", {0, 0, 0}},
    {nullptr, {0xFFFFFFFFu, 0xFFFFFFFFu, 0}},
};

const Tal_LStrTable Talp_Descriptor = {Talp_PackageName, Tal_MessageCount + 1, Talp_Messages, 0};

}  // namespace

const Tal_LStrTable* Tal_G_zref = &Talp_Descriptor;

const char* Talp_BuiltInText(int index) {
    const char* key = Talp_Messages[index].key;
    return std::strchr(key, '=') + 1;
}
