// Threads and the layer's locks.
#pragma once

#include <windows.h>

namespace rt {

using ThreadRoutine = void (*)(int argument);

// CreateThread with default security and stack. With no handle variable the
// handle is closed at once.
bool StartThread(ThreadRoutine routine, int argument = 0, HANDLE* handle = nullptr);

// A lock is an id handed out by CreateLock; Enter/Leave act only on listed
// locks; DeleteLock unlists and deletes, false for anything not listed.
using LockId = int;
LockId CreateLock();
void EnterLock(LockId lock);
void LeaveLock(LockId lock);
bool DeleteLock(LockId lock);

}  // namespace rt
