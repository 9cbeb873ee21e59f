// Threads and the listed locks.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "rt/threads.h"

namespace {

std::atomic<int> gSeen{0};
HANDLE gDone = nullptr;

void RecordArgument(int argument) {
    gSeen = argument;
    ::SetEvent(gDone);
}

TEST(StartThread, RunsTheRoutineWithItsArgument) {
    gDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    gSeen = 0;
    ASSERT_TRUE(rt::StartThread(RecordArgument, 41));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gDone, 5000));
    EXPECT_EQ(41, gSeen.load());

    ::ResetEvent(gDone);
    HANDLE thread = nullptr;
    ASSERT_TRUE(rt::StartThread(RecordArgument, 7, &thread));
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 5000));  // ends with the routine
    EXPECT_EQ(7, gSeen.load());
    ::CloseHandle(thread);
    ::CloseHandle(gDone);
    EXPECT_FALSE(rt::StartThread(nullptr));
}

rt::LockId gLock = 0;
std::atomic<bool> gEntered{false};

void EnterAndLeave(int) {
    rt::EnterLock(gLock);
    gEntered = true;
    rt::LeaveLock(gLock);
}

TEST(Locks, AHeldLockKeepsAnotherThreadOut) {
    gLock = rt::CreateLock();
    gEntered = false;
    rt::EnterLock(gLock);
    rt::EnterLock(gLock);  // re-entrant on its own thread, as critical sections are
    HANDLE thread = nullptr;
    ASSERT_TRUE(rt::StartThread(EnterAndLeave, 0, &thread));
    ::Sleep(300);
    EXPECT_FALSE(gEntered.load());
    rt::LeaveLock(gLock);
    ::Sleep(100);
    EXPECT_FALSE(gEntered.load());
    rt::LeaveLock(gLock);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 5000));
    EXPECT_TRUE(gEntered.load());
    ::CloseHandle(thread);
    EXPECT_TRUE(rt::DeleteLock(gLock));
}

// Deleting a lock that one thread holds and another waits for frees nothing
// under them: the holder still leaves it, and the waiter then gets in and out.
TEST(Locks, DeletedWhileHeldTheHolderStillLeavesAndTheWaiterGetsIn) {
    gLock = rt::CreateLock();
    gEntered = false;
    rt::EnterLock(gLock);
    HANDLE thread = nullptr;
    ASSERT_TRUE(rt::StartThread(EnterAndLeave, 0, &thread));
    ::Sleep(200);
    EXPECT_FALSE(gEntered.load());
    EXPECT_TRUE(rt::DeleteLock(gLock));
    rt::LeaveLock(gLock);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 5000));
    EXPECT_TRUE(gEntered.load());
    ::CloseHandle(thread);
    rt::EnterLock(gLock);  // deleted and left: no longer acted on
    rt::LeaveLock(gLock);
}

TEST(Locks, OnlyListedLocksAreActedOnAndDeletedOnce) {
    const rt::LockId a = rt::CreateLock();
    const rt::LockId b = rt::CreateLock();
    EXPECT_NE(a, b);
    EXPECT_FALSE(rt::DeleteLock(123456));
    EXPECT_FALSE(rt::DeleteLock(0));
    rt::EnterLock(987654);  // unlisted: nothing happens, nothing blocks
    rt::LeaveLock(987654);
    EXPECT_TRUE(rt::DeleteLock(a));
    EXPECT_FALSE(rt::DeleteLock(a));
    rt::EnterLock(a);  // deleted: no longer acted on
    rt::LeaveLock(a);
    EXPECT_TRUE(rt::DeleteLock(b));
}

}  // namespace
