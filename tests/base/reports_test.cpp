// Where reports go: a sink that calls back into the library, the recorder at its capacity, a host's
// own message table, and threads at once (every result and report as on one thread, whole).
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

using Reports = std::vector<taltest::Report>;

TEST(ReportSink, AReportMadeInsideTheSinkIsRecordedInsteadOfReenteringTheSink) {
    taltest::ClearReports();
    Reports seen;
    Bas_SetReportSink(
        [](int32_t code, int32_t severity, int32_t number, const char* text, void* context) {
            // Composes "divide by zero ..." on this very thread before text is read.
            const bool nestedFailed = Tal_Fix24Ratio(1, 0) == Tal_FixedFailure;
            static_cast<Reports*>(context)->push_back(
                {code, severity, number, nestedFailed ? text : "the nested call did not fail"});
            if (number == 1) Bas_SetReportSink(nullptr, nullptr);  // no deadlock from inside
        },
        &seen);
    EXPECT_EQ(Tal_Fix24Mul(0x7f000000, 0x7f000000), Tal_FixedFailure);
    Basp_ReportNiroErrString(0x110030, 8, 1, "last");
    Basp_ReportNiroErrString(0x110030, 8, 2, "after the sink");

    const taltest::Report nested = taltest::Msg(0x110009, "divide by zero in fix24 divide.");
    EXPECT_EQ(seen, (Reports{taltest::Msg(0x110008, "overflow in fix24 multiply."),
                             {0x110030, 8, 1, "last"}}));
    EXPECT_EQ(taltest::TakeReports(),
              (Reports{nested, nested, {0x110030, 8, 2, "after the sink"}}));
}

TEST(Recorder, KeepsItsCapacityWholeAndThenDropsTheOldest) {
    taltest::ClearReports();
    for (int32_t number = 1; number <= Bas_RecorderCapacity; ++number)
        Basp_ReportNiroErrString(0x110030, 8, number, "");
    EXPECT_EQ(Bas_RecordedReportCount(), Bas_RecorderCapacity);
    EXPECT_EQ(Bas_DroppedReportCount(), 0);
    Basp_ReportNiroErrString(0x110030, 8, Bas_RecorderCapacity + 1, "");
    int32_t oldest = 0;
    EXPECT_EQ(Bas_TakeRecordedReport(nullptr, nullptr, &oldest, nullptr, 0), 1);
    EXPECT_EQ(oldest, 2) << "number of the oldest report kept";
    EXPECT_EQ(std::pair(Bas_RecordedReportCount(), Bas_DroppedReportCount()),
              std::pair(Bas_RecorderCapacity - 1, 1));
    taltest::ClearReports();
    EXPECT_EQ(std::pair(Bas_RecordedReportCount(), Bas_DroppedReportCount()), std::pair(0, 0));
}

TEST(ReplacedMessageTable, FormatsWithOtherConversionsFallBackToTheBuiltInText) {
    struct Row {
        int index;
        const char* text;
        Tal_Err err;
        int16_t phrase;
        const char* expected;
    };
    const Row cases[] = {
        {2, "overflow (%s)!", Tal_Err_OVERFLOW, 21, "overflow (in fix24 multiply)!"},
        {7, "100%% busy: %s", Tal_Err_UNREQUESTED_SERVICE, 18, "100% busy: fast char math"},
        {0, "error %ld", 5, 0, "error 5"},
        {0, "error %s", 5, 0, "unknown error (5)."},    // would read a long as a pointer
        {0, "error %5ld", 5, 0, "unknown error (5)."},  // any other spelling is refused too
        {3, "divide %d by %s", Tal_Err_DIV_BY_ZERO, 22, "divide by zero in fix24 divide."},
        {10, "zero %s%n", Tal_Err_ZERO_DENOM, 11, "zero denominator in ratio addition."},
        {2, "overflow %ls.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."},
        {1, "underflow %s %", Tal_Err_UNDERFLOW, 12, "underflow in ratio subtraction."},
        {2, "overflow.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."}};  // drops the %s
    const Tal_LStrTable* const builtIn = Tal_G_zref;
    taltest::ClearReports();
    for (const auto& c : cases) {
        std::vector<std::string> keys;  // the built-in keys, entry c.index's after "=" replaced
        std::vector<Tal_LStrEntry> records(builtIn->records, builtIn->records + builtIn->count);
        for (int i = 0; i < Tal_MessageCount; ++i) {
            const std::string key = records[i].key;
            keys.push_back(i != c.index ? key : key.substr(0, key.find('=') + 1) + c.text);
        }
        for (int i = 0; i < Tal_MessageCount; ++i)
            records[i].key = keys[i].c_str();
        const Tal_LStrTable replaced{builtIn->name, builtIn->count, records.data(), 0};
        Tal_G_zref = &replaced;
        EXPECT_EQ(Talp_ReportErr(0x30, c.err, c.phrase), c.err);
        Tal_G_zref = builtIn;
        const int32_t severity = c.err == Tal_Err_UNDERFLOW ? 4 : 8;
        EXPECT_EQ(taltest::TakeReports(),
                  std::vector<taltest::Report>{taltest::Msg(0x110030, c.expected, severity)})
            << "entry " << c.index << " replaced by \"" << c.text << "\"";
    }
}

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

// Runs work(t) for t = 0 to kThreads - 1, each on a thread of its own, all at once.
template <class Work>
void OnThreads(Work work) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(work, t);
    for (std::thread& thread : threads)
        thread.join();
}

// Seeded pure functions, the four reports of a round, a layer at seeded angles through to hits:
// every result in order.
std::vector<double> Work(uint32_t seed) {
    const Tal_Matrix4 projection{{{800, 0, 0, 0}, {0, 800, 0, 0}, {640, 480, 1, 1}, {0, 0, 0, 0}}};
    const Tal_Vector2T<double> corners[4] = {{0, 0}, {640, 0}, {640, 480}, {0, 480}};
    std::vector<double> results;
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
        results.insert(results.end(),  // a braced list is evaluated left to right
                       {double(Tal_AddRatio(&x, &y, &sum, &status)), double(sum.num),
                        double(sum.den), double(status), double(Tal_ConcatMatrix4(m, n, product)),
                        double(Tal_AddRatio(&x, &bad, &failed, nullptr)),
                        double(Tal_MulRatio(&huge, &huge, &failed, nullptr)), double(failed.num),
                        double(failed.den), double(Tal_InverseMatrix4(singular, singular)),
                        double(Tal_FixMul(a, b)), double(Tal_FixDiv(a, b)),
                        double(Tal_Fix24Mul(0x7f000000, (a & 0x3fffffff) | 0x40000000))});
        results.insert(results.end(), product, product + 16);
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
        for (const Tal_Vector2T<double>& corner : corners)
            results.push_back(poly.IsPointInside(&corner, 2.0));
        for (long k = 0; k < poly.NumPolyPoints(); ++k)
            results.insert(results.end(), {poly.GetPolyPoints()[k].x, poly.GetPolyPoints()[k].y});
    }
    return results;
}

TEST(Threads, ResultsMatchOneThreadAndEveryReportIsRecordedWhole) {
    std::vector<std::vector<double>> alone(kThreads), together(kThreads);
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
