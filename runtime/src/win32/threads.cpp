// Threads and the layer's listed locks.
#include <windows.h>

#include <map>
#include <memory>

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

class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&cs_); }
    ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { ::EnterCriticalSection(&cs_); }
    void Leave() { ::LeaveCriticalSection(&cs_); }
private:
    CRITICAL_SECTION cs_;
};

class Guard {
public:
    explicit Guard(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
    ~Guard() { cs_.Leave(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
private:
    CriticalSection& cs_;
};

// The listed locks, by id. Entering happens outside the list's own guard so
// that a thread holding one lock never blocks the others' bookkeeping.
struct LockList {
    CriticalSection guard;
    std::map<LockId, std::unique_ptr<CriticalSection>> locks;
    LockId nextId = 1;

    CriticalSection* Find(LockId id) {
        Guard g(guard);
        const auto it = locks.find(id);
        return it == locks.end() ? nullptr : it->second.get();
    }
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
    Guard g(list.guard);
    const LockId id = list.nextId++;
    list.locks.emplace(id, std::make_unique<CriticalSection>());
    return id;
}

void EnterLock(LockId lock) {
    if (CriticalSection* cs = Locks().Find(lock)) cs->Enter();
}

void LeaveLock(LockId lock) {
    if (CriticalSection* cs = Locks().Find(lock)) cs->Leave();
}

bool DeleteLock(LockId lock) {
    LockList& list = Locks();
    Guard g(list.guard);
    return list.locks.erase(lock) == 1;
}

}  // namespace rt
