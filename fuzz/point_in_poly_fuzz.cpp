// Point in polygon on any small integer outline against the exact model, in both vertex types and
// with and without the band; a wrong answer aborts naming the check.
#include <vector>

#include "support/poly_model.h"
#include "support/require.h"
#include "tal/poly.h"

// Byte 0: the tolerance choice and the point, then a vertex per two bytes; coordinates in half
// units from -8 to 7.5, so that every product is exact in float and double.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const auto half = [](uint8_t b) { return int64_t(b % 32) - 16; };
    std::vector<taltest::IPt> distinct;
    std::vector<Tal_Vector2T<double>> vd;
    std::vector<Tal_Vector2T<float>> vf;
    for (size_t i = 3; i + 1 < size && vd.size() < 64; i += 2) {
        const taltest::IPt q{half(data[i]), half(data[i + 1])};
        vd.push_back({q.x / 2.0, q.y / 2.0});
        vf.push_back({q.x / 2.0f, q.y / 2.0f});
        if (distinct.empty() || q.x != distinct.back().x || q.y != distinct.back().y)
            distinct.push_back(q);
    }
    if (vd.empty()) return 0;
    if (distinct.size() > 1 && distinct.back().x == distinct[0].x &&
        distinct.back().y == distinct[0].y)
        return 0;  // the model takes no repeat across the closing edge
    const taltest::IPt p{half(data[1]), half(data[2])};
    const double tol = data[0] % 2 ? 1.3 : 0;  // 260 hundredths of a half unit
    bool ambiguous = false;
    const bool want = taltest::InsideModel(distinct, p, tol ? 260 : 0, ambiguous);
    if (ambiguous) return 0;
    const Tal_Vector2T<double> pd{p.x / 2.0, p.y / 2.0};
    const Tal_Vector2T<float> pf{p.x / 2.0f, p.y / 2.0f};
    unsigned char inD = 7, inF = 7;
    REQUIRE(Tal_IsFloatPointInConcavePoly(&pd, vd.data(), long(vd.size()), tol, &inD) == 0);
    REQUIRE(Tal_IsFloatPointInConcavePoly(&pf, vf.data(), long(vf.size()), tol, &inF) == 0);
    REQUIRE(inD == want);
    REQUIRE(inF == want);
    return 0;
}
