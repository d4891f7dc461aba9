// Threads at once: every result equals the same work done on one thread, every report reaches the
// recorder whole, and the sink takes one report at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/reports.h"
#include "tal/fixed.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/ratio.h"

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 160;  // four reports a round: 3840 in all, within the recorder's capacity

// The reports one round makes, each once, by report code.
const std::map<int32_t, std::string> kRoundReports = {
    {0x110008, "overflow in fix24 multiply."},
    {0x110010, "zero denominator in ratio addition."},
    {0x110011, "overflow in ratio multiply."},
    {0x11002D, "unable to invert matrix."}};

uint32_t Next(uint32_t& state) {  // xorshift32
    state ^= state << 13;
    state ^= state >> 17;
    return state ^= state << 5;
}

// FNV-1a over the bytes of every result, in order.
void Add(uint64_t& digest, const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        digest = (digest ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3u;
}

// Runs work(t) for t = 0 to kThreads - 1, each on a thread of its own, all at once.
template <class Work>
void OnThreads(Work work) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(work, t);
    for (std::thread& thread : threads)
        thread.join();
}

// One thread's work: seeded pure functions, the four reports of a round, a layer at seeded angles
// and depth through the whole request (its outline and hit tests).
uint64_t Work(uint32_t seed) {
    const Tal_Matrix4 projection{{{800, 0, 0, 0}, {0, 800, 0, 0}, {640, 480, 1, 1}, {0, 0, 0, 0}}};
    const Tal_Vector2T<double> corners[4] = {{0, 0}, {640, 0}, {640, 480}, {0, 480}};
    uint64_t digest = 0xcbf29ce484222325u;
    Tal_TransformPoly3D poly;
    for (int round = 0; round < kRounds; ++round) {
        const int32_t a = int32_t(Next(seed)), b = int32_t(Next(seed));
        const Tal_Ratio x{a >> 8, Next(seed) % 65536 + 1}, y{b >> 8, Next(seed) % 65536 + 1};
        const Tal_Ratio huge{INT32_MAX, 1}, bad{a, 0};
        Tal_Ratio sum{}, failed{};
        Tal_RatioStatus status = 0;  // an overflow of the seeded sum is told here, not reported
        double m[16], n[16], product[16], singular[16] = {};
        for (int i = 0; i < 16; ++i) {
            m[i] = int32_t(Next(seed)) / 65536.0;
            n[i] = int32_t(Next(seed)) / 65536.0;
        }
        const Tal_Err errs[] = {
            Tal_AddRatio(&x, &y, &sum, &status), Tal_ConcatMatrix4(m, n, product),
            Tal_AddRatio(&x, &bad, &failed, nullptr), Tal_MulRatio(&huge, &huge, &failed, nullptr),
            Tal_InverseMatrix4(singular, singular)};
        const int32_t fixed[] = {Tal_FixMul(a, b), Tal_FixDiv(a, b),
                                 Tal_Fix24Mul(0x7f000000, (a & 0x3fffffff) | 0x40000000)};
        const double ax = (int(Next(seed) % 2401) - 1200) / 1000.0;  // radians in [-1.2, 1.2]
        const double ay = (int(Next(seed) % 2401) - 1200) / 1000.0;
        Tal_Matrix4 toEye;
        toEye.SetIdentity().Translate(-320, -240, 0).Scale(1.0 / 640, 1.0 / 640, 1);
        toEye.RotateXYZ(ax, ay, 0).Translate(0, 0, 0.2 + Next(seed) % 2800 / 1000.0);
        for (long i = 0; i < 4; ++i)
            poly.SetLayerPoint(i, corners[i]);
        poly.TransformPointsToEye(toEye);
        poly.TransformPointsToScreen(projection);
        poly.InitPolyPoints();
        bool hits[4];
        for (int i = 0; i < 4; ++i)
            hits[i] = poly.IsPointInside(&corners[i], 2.0);
        Add(digest, fixed, sizeof fixed);
        Add(digest, errs, sizeof errs);
        Add(digest, &sum, sizeof sum);
        Add(digest, &status, sizeof status);
        Add(digest, &failed, sizeof failed);
        Add(digest, product, sizeof product);
        Add(digest, hits, sizeof hits);
        Add(digest, poly.GetPolyPoints(), sizeof(Tal_Vector2T<double>) * poly.NumPolyPoints());
    }
    return digest;
}

TEST(Threads, ResultsMatchOneThreadAndEveryReportIsRecordedWhole) {
    std::vector<uint64_t> alone(kThreads), together(kThreads);
    for (int t = 0; t < kThreads; ++t)
        alone[t] = Work(uint32_t(t * 7919 + 1));
    taltest::ClearReports();
    OnThreads([&together](int t) { together[t] = Work(uint32_t(t * 7919 + 1)); });
    EXPECT_EQ(together, alone) << "a thread computed differently beside the others";

    std::map<int32_t, int> counts;
    for (const taltest::Report& r : taltest::TakeReports()) {
        const auto expected = kRoundReports.find(r.code);
        ASSERT_NE(expected, kRoundReports.end()) << r;
        ASSERT_EQ(r, taltest::Msg(r.code, expected->second)) << "a torn or foreign record";
        ++counts[r.code];
    }
    for (const auto& [code, text] : kRoundReports)
        EXPECT_EQ(counts[code], kThreads * kRounds) << "recorded \"" << text << "\"";
}

TEST(Threads, TheSinkTakesOneReportAtATime) {
    int calls = 0;  // unguarded: overlapping sink calls would race here
    Bas_SetReportSink([](int32_t, int32_t, int32_t, const char*, void* n) { ++*(int*)n; }, &calls);
    OnThreads([](int) {
        for (int i = 0; i < 300; ++i)
            Tal_Fix24Mul(0x7f000000, 0x7f000000);
    });
    Bas_SetReportSink(nullptr, nullptr);
    EXPECT_EQ(calls, kThreads * 300);
    EXPECT_TRUE(taltest::TakeReports().empty());
}

}  // namespace
