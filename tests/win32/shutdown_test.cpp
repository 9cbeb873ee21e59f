// The power actions' mode checks, privilege step and flag mapping, through
// fake calls only: no test ever runs a real power action.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "rt/shutdown.h"

namespace {

struct Recorder {
    DWORD platform = VER_PLATFORM_WIN32_NT;
    bool tokenOpens = true;
    DWORD lastError = 0;
    BOOL actionResult = TRUE;
    std::vector<std::string> calls;
    DWORD tokenAccess = 0;
    std::string privilege;
    DWORD privilegeAttributes = 0;
    UINT exitFlags = 0;
    BOOL suspend = -1, force = -1;
};
Recorder gRec;

BOOL WINAPI FakeVersion(OSVERSIONINFOA* v) {
    gRec.calls.push_back("version");
    v->dwPlatformId = gRec.platform;
    return TRUE;
}
BOOL WINAPI FakeOpenToken(HANDLE, DWORD access, HANDLE* token) {
    gRec.calls.push_back("token");
    gRec.tokenAccess = access;
    if (!gRec.tokenOpens) return FALSE;
    *token = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);  // a real handle to close
    return TRUE;
}
BOOL WINAPI FakeLookup(const char* system, const char* name, LUID* luid) {
    gRec.calls.push_back(system ? "lookup-remote" : "lookup");
    gRec.privilege = name;
    luid->LowPart = 19;
    return TRUE;
}
BOOL WINAPI FakeAdjust(HANDLE, BOOL disableAll, TOKEN_PRIVILEGES* p, DWORD, TOKEN_PRIVILEGES*,
                       DWORD*) {
    gRec.calls.push_back(disableAll ? "adjust-disable" : "adjust");
    if (p && p->PrivilegeCount == 1 && p->Privileges[0].Luid.LowPart == 19)
        gRec.privilegeAttributes = p->Privileges[0].Attributes;
    return TRUE;
}
DWORD WINAPI FakeLastError() {
    gRec.calls.push_back("lasterror");
    return gRec.lastError;
}
BOOL WINAPI FakeExit(UINT flags, DWORD) {
    gRec.calls.push_back("exit");
    gRec.exitFlags = flags;
    return gRec.actionResult;
}
BOOL WINAPI FakePower(BOOL suspend, BOOL force) {
    gRec.calls.push_back("power");
    gRec.suspend = suspend;
    gRec.force = force;
    return gRec.actionResult;
}

const rt::ShutdownCalls kFakes = {FakeVersion, FakeOpenToken, FakeLookup, FakeAdjust,
                                  FakeLastError, FakeExit, FakePower};

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override { gRec = Recorder(); }
};

const std::vector<std::string> kPrivilegeThen(const char* action) {
    return {"version", "token", "lookup", "adjust", "lasterror", action};
}

TEST_F(ShutdownTest, ModesOutsideOneToFiveDoNothing) {
    for (int mode : {0, 6, -1, 100}) {
        EXPECT_FALSE(rt::ShutdownSystemWith(kFakes, mode, true)) << mode;
    }
    EXPECT_TRUE(gRec.calls.empty());
}

TEST_F(ShutdownTest, OnNtTheShutdownPrivilegeIsEnabledFirst) {
    EXPECT_TRUE(rt::ShutdownSystemWith(kFakes, 1, false));
    EXPECT_EQ(kPrivilegeThen("exit"), gRec.calls);
    EXPECT_EQ(static_cast<DWORD>(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY), gRec.tokenAccess);
    EXPECT_EQ("SeShutdownPrivilege", gRec.privilege);
    EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), gRec.privilegeAttributes);
    EXPECT_EQ(static_cast<UINT>(EWX_POWEROFF), gRec.exitFlags);
}

TEST_F(ShutdownTest, ExitFlagsPerModeAndForce) {
    const struct { int mode; bool force; UINT flags; } cases[] = {
        {1, false, EWX_POWEROFF}, {1, true, EWX_POWEROFF | EWX_FORCE},
        {2, false, EWX_REBOOT},   {2, true, EWX_REBOOT | EWX_FORCE},
        {3, false, EWX_LOGOFF},   {3, true, EWX_LOGOFF | EWX_FORCE},
    };
    for (const auto& c : cases) {
        gRec = Recorder();
        EXPECT_TRUE(rt::ShutdownSystemWith(kFakes, c.mode, c.force));
        EXPECT_EQ(c.flags, gRec.exitFlags) << c.mode << " " << c.force;
        EXPECT_EQ(kPrivilegeThen("exit"), gRec.calls);
    }
}

TEST_F(ShutdownTest, SuspendAndHibernateUseSetSystemPowerState) {
    EXPECT_TRUE(rt::ShutdownSystemWith(kFakes, 4, true));
    EXPECT_EQ(kPrivilegeThen("power"), gRec.calls);
    EXPECT_EQ(TRUE, gRec.suspend);
    EXPECT_EQ(TRUE, gRec.force);
    gRec = Recorder();
    EXPECT_TRUE(rt::ShutdownSystemWith(kFakes, 5, false));
    EXPECT_EQ(FALSE, gRec.suspend);
    EXPECT_EQ(FALSE, gRec.force);
}

TEST_F(ShutdownTest, OutsideNtPowerOffIsAPlainShutdownWithoutPrivileges) {
    gRec.platform = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_TRUE(rt::ShutdownSystemWith(kFakes, 1, true));
    EXPECT_EQ((std::vector<std::string>{"version", "exit"}), gRec.calls);
    EXPECT_EQ(static_cast<UINT>(EWX_SHUTDOWN | EWX_FORCE), gRec.exitFlags);
}

TEST_F(ShutdownTest, AFailedPrivilegeStepStopsEverything) {
    gRec.tokenOpens = false;
    EXPECT_FALSE(rt::ShutdownSystemWith(kFakes, 2, false));
    EXPECT_EQ((std::vector<std::string>{"version", "token"}), gRec.calls);

    gRec = Recorder();
    gRec.lastError = ERROR_NOT_ALL_ASSIGNED;  // "succeeded" without the privilege
    EXPECT_FALSE(rt::ShutdownSystemWith(kFakes, 4, false));
    EXPECT_EQ((std::vector<std::string>{"version", "token", "lookup", "adjust", "lasterror"}),
              gRec.calls);
}

TEST_F(ShutdownTest, TheResultIsThatOfTheSystemCall) {
    gRec.actionResult = FALSE;
    EXPECT_FALSE(rt::ShutdownSystemWith(kFakes, 3, false));
    gRec = Recorder();
    gRec.actionResult = FALSE;
    EXPECT_FALSE(rt::ShutdownSystemWith(kFakes, 5, false));
}

TEST_F(ShutdownTest, TheRealTableIsComplete) {
    const rt::ShutdownCalls& real = rt::SystemShutdownCalls();  // looked at, never called
    EXPECT_NE(nullptr, real.getVersionEx);
    EXPECT_NE(nullptr, real.openProcessToken);
    EXPECT_NE(nullptr, real.lookupPrivilegeValue);
    EXPECT_NE(nullptr, real.adjustTokenPrivileges);
    EXPECT_NE(nullptr, real.getLastError);
    EXPECT_NE(nullptr, real.exitWindowsEx);
    EXPECT_NE(nullptr, real.setSystemPowerState);
}

}  // namespace
