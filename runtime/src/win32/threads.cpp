// Threads and the layer's listed locks.
#include <windows.h>

#include <map>
#include <memory>

#include "critical_section.h"
#include "rt/threads.h"

namespace rt {

namespace {

struct ThreadStart {
    ThreadRoutine routine;
    int argument;
};

DWORD WINAPI ThreadMain(LPVOID raw) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(raw));
    start->routine(start->argument);
    return 0;
}

// A lock of the list. Shared: one that is deleted while a thread holds it or
// waits for it lives on until that thread has left it.
struct ListedLock {
    detail::CriticalSection cs;
    DWORD owner = 0;  // written under the list's guard while cs is held
    int depth = 0;
};

// The listed locks, by id, and the ones being held, listed or not, so that
// their holder can still leave them. Entering happens outside the list's own
// guard so that a thread holding one lock never blocks the bookkeeping.
struct LockList {
    detail::CriticalSection guard;
    std::map<LockId, std::shared_ptr<ListedLock>> listed;
    std::map<LockId, std::shared_ptr<ListedLock>> held;
    LockId nextId = 1;
};

LockList& Locks() {
    static LockList list;
    return list;
}

}  // namespace

bool StartThread(ThreadRoutine routine, int argument, HANDLE* handle) {
    if (!routine) return false;
    auto start = std::make_unique<ThreadStart>(ThreadStart{routine, argument});
    HANDLE thread = ::CreateThread(nullptr, 0, ThreadMain, start.get(), 0, nullptr);
    if (!thread) return false;
    start.release();  // the thread owns it now
    if (handle)
        *handle = thread;
    else
        ::CloseHandle(thread);
    return true;
}

LockId CreateLock() {
    LockList& list = Locks();
    detail::ScopedLock g(list.guard);
    const LockId id = list.nextId++;
    list.listed.emplace(id, std::make_shared<ListedLock>());
    return id;
}

void EnterLock(LockId lock) {
    LockList& list = Locks();
    std::shared_ptr<ListedLock> entry;
    {
        detail::ScopedLock g(list.guard);
        const auto it = list.listed.find(lock);
        if (it == list.listed.end()) return;
        entry = it->second;
    }
    entry->cs.Enter();
    detail::ScopedLock g(list.guard);
    if (entry->depth++ == 0) {
        entry->owner = ::GetCurrentThreadId();
        list.held[lock] = entry;
    }
}

void LeaveLock(LockId lock) {
    LockList& list = Locks();
    std::shared_ptr<ListedLock> entry;
    {
        detail::ScopedLock g(list.guard);
        const auto it = list.held.find(lock);
        if (it == list.held.end() || it->second->owner != ::GetCurrentThreadId()) return;
        entry = it->second;
        if (--entry->depth == 0) {
            entry->owner = 0;
            list.held.erase(it);
        }
    }
    entry->cs.Leave();
}

bool DeleteLock(LockId lock) {
    LockList& list = Locks();
    detail::ScopedLock g(list.guard);
    return list.listed.erase(lock) == 1;
}

}  // namespace rt
