// The version checks of Bas and Lex, with the log tests read, and the event log.
#include <mutex>

#include "tal/base_testing.h"

namespace {

struct VersionState {
    std::mutex mutex;
    bool failBas = false;
    bool failLex = false;
    Basp_VersionCheckLog log{};
};

VersionState& Versions() {
    static VersionState* state = new VersionState;
    return *state;
}

}  // namespace

namespace {

// Under the lock: counts the call, keeps its arguments and judges it against expected.
int32_t Judge(int32_t& calls, int32_t& lastCode, int32_t& lastVersion, bool fail, int32_t expected,
              int32_t code, int32_t version) {
    ++calls;
    lastCode = code;
    lastVersion = version;
    return fail || version != expected ? 1 : 0;
}

}  // namespace

int32_t Bas_CheckVersions(int32_t code, int32_t version) {
    VersionState& s = Versions();
    std::lock_guard<std::mutex> lock(s.mutex);
    return Judge(s.log.basCalls, s.log.basCode, s.log.basVersion, s.failBas,
                 Tal_BasInterfaceVersion, code, version);
}

int32_t Lex_CheckVersions(int32_t code, int32_t version) {
    VersionState& s = Versions();
    std::lock_guard<std::mutex> lock(s.mutex);
    return Judge(s.log.lexCalls, s.log.lexCode, s.log.lexVersion, s.failLex,
                 Tal_LexInterfaceVersion, code, version);
}

void Basp_FailVersionChecks(bool bas, bool lex) {
    VersionState& s = Versions();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.failBas = bas;
    s.failLex = lex;
}

Basp_VersionCheckLog Basp_VersionChecks() {
    VersionState& s = Versions();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.log;
}

void Pev_Log(int32_t, const char*, const char*, const char*) {}
