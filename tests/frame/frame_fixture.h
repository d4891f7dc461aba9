// Every frame test starts from a freshly loaded library: all-zero globals, no handles, no reports.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "frame/base_library.h"
#include "support/reports.h"
#include "tal/frame.h"
#include "tal/host.h"

namespace taltest {

inline bool Born() {
    return Talp_G.guard1 == Tal_BornGuard && Talp_G.guard2 == Tal_BornGuard;
}

/// A base-library report of number with the detail text ("" for none).
inline Report Niro(int32_t code, int32_t number, const std::string& text = "") {
    return Report{code, 8, number, text};
}

inline Talp_Globals Snapshot() {
    Talp_Globals g;
    std::memcpy(&g, &Talp_G, sizeof g);
    return g;
}

inline bool SameBytes(const Talp_Globals& a, const Talp_Globals& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override {
        Bas_FailHandleAllocationsAfter(0, 0);
        if (Born()) Tal_Death();
        EXPECT_EQ(Bas_LiveHandleCount(), 0) << "a handle leaked";
        Reset();
    }
    static void Reset() {
        if (Born()) Tal_Death();
        std::memset(&Talp_G, 0, sizeof Talp_G);
        Bas_FailHandleAllocationsAfter(0, 0);
        TakeReports();
    }
};

}  // namespace taltest
