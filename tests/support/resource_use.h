// What a process holds of the system's resources, read twice around a long
// run of the same work (early and late) to show that nothing leaks. Shared by
// the in-process window tests and the end-to-end tests, so header-only.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <vector>

namespace resource_use {

struct Figures {
    // Commit charge. Wine reads PrivateUsage as 0; PagefileUsage is the same
    // figure on Windows and a real one under Wine.
    size_t commitBytes = 0;
    size_t workingSetBytes = 0;
    DWORD handles = 0;      // Wine counts them only in the system's table
    DWORD gdiObjects = 0;   // 0 under Wine, which does not count them
    DWORD userObjects = 0;  // the same
};

// One entry of the system's handle table (extended form: pointer-sized
// process ids and handle values on both word sizes).
struct SystemHandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct SystemHandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    SystemHandleEntry entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// Wine's GetProcessHandleCount succeeds and reads 0; its system handle table
// is filled in, so the process's entries are counted there instead.
inline DWORD HandleCount(HANDLE process) {
    DWORD count = 0;
    if (::GetProcessHandleCount(process, &count) && count != 0) return count;
    std::vector<ULONG_PTR> buffer(1 << 16);
    NTSTATUS status;
    for (;;) {
        ULONG needed = 0;
        status = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemExtendedHandleInformation),
                                            buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)),
                                            &needed);
        if (status != kInfoLengthMismatch) break;
        buffer.resize(buffer.size() * 2);
    }
    if (status < 0) return 0;
    const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
    const ULONG_PTR id = ::GetProcessId(process);
    for (ULONG_PTR i = 0; i < table->count; ++i) {
        if (table->entries[i].processId == id) ++count;
    }
    return count;
}

inline Figures Read(HANDLE process) {
    Figures f;
    // First, so that the memory of the count's own table is taken (and given
    // back) before both memory readings alike.
    f.handles = HandleCount(process);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(process, &pmc, sizeof pmc)) {
        f.commitBytes = pmc.PagefileUsage;
        f.workingSetBytes = pmc.WorkingSetSize;
    }
    f.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    f.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    return f;
}

inline std::ostream& operator<<(std::ostream& out, const Figures& f) {
    return out << "commit " << f.commitBytes << " B, working set " << f.workingSetBytes << " B, handles "
               << f.handles << ", GDI " << f.gdiObjects << ", USER " << f.userObjects;
}

// Memory may wander by a few pages between two readings (heap blocks handed
// back and taken again, pages of code touched for the first time): 12 to
// 36 KB were seen over 10,000 clock refreshes or spinner steps. A leak of one
// 24-byte block per step added 480 KB, and of one font per step 1.5 MB, so
// the commit margin sits well between the two. The working set also follows
// the system's own paging, hence its wider margin.
constexpr size_t kCommitMarginBytes = 256 * 1024;
constexpr size_t kWorkingSetMarginBytes = 1024 * 1024;

// Handles and GDI/USER objects equal; memory grown by no more than its margin.
inline ::testing::AssertionResult NothingLeaked(const Figures& early, const Figures& late) {
    const bool same = late.handles == early.handles && late.gdiObjects == early.gdiObjects &&
                      late.userObjects == early.userObjects &&
                      late.commitBytes <= early.commitBytes + kCommitMarginBytes &&
                      late.workingSetBytes <= early.workingSetBytes + kWorkingSetMarginBytes;
    auto result = same ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    return result << "early: " << early << "\n late: " << late;
}

}  // namespace resource_use
