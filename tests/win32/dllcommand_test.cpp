// The DllCommand table and the fatal-error path, against real libraries:
// the fixtures of tests/fixtures/dllcommand and the system's own.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "rt/dllcommand.h"
#include "rt/fatal.h"
#include "rt/handles.h"
#include "rt/program.h"

namespace {

struct FatalCaught {
    int code;
    rt::Text message;
};

[[noreturn]] void ThrowFatal(int code, const rt::Text& message) { throw FatalCaught{code, message}; }

std::string ExeDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\'));
}

constexpr rt::LibraryPlace kBeside = rt::LibraryPlace::ProgramFolder;

std::string LocalFixture() { return ExeDirectory() + "\\dllcmd_which.dll"; }
std::string FixtureDir() { return ExeDirectory() + "\\fixtures\\dllcommand"; }
std::string OtherDir() { return FixtureDir() + "\\other"; }

// Ordinal of a named export, read from the library's export directory.
int OrdinalOf(HMODULE module, const char* name) {
    auto base = reinterpret_cast<const unsigned char*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dirEntry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dirEntry.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    auto ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        if (!std::strcmp(reinterpret_cast<const char*>(base + names[i]), name)) {
            return static_cast<int>(exports->Base + ordinals[i]);
        }
    }
    return -1;
}

// Each test installs its own table and gets a throwing fatal handler, so a
// fatal path shows up as an exception instead of ending the test program.
class DllCommandTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = rt::SetFatalHandler(ThrowFatal); }
    void TearDown() override {
        rt::SetDllCommandTable(nullptr, 0);
        rt::SetFatalHandler(previous_);
    }
    void Use(std::vector<rt::DllCommandEntry> entries) {
        entries_ = std::move(entries);
        rt::SetDllCommandTable(entries_.data(), static_cast<int>(entries_.size()));
    }
    FatalCaught ExpectFatal(int entry, std::initializer_list<uintptr_t> args = {}) {
        try {
            rt::CallDllCommand(entry, args);
        } catch (const FatalCaught& f) {
            return f;
        }
        ADD_FAILURE() << "entry " << entry << " did not fail";
        return {};
    }

private:
    rt::FatalHandler previous_ = nullptr;
    std::vector<rt::DllCommandEntry> entries_;
};

// --- the checked call ----------------------------------------------------

// The checked call made on the exports of the fixture library beside the
// test program.
class FixtureExports : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lib_); }
    // Calls the named export; false when the call found the stack out of
    // balance afterwards (or there is no such export).
    bool Call(const char* name, std::initializer_list<uintptr_t> args, uintptr_t* result) {
        const void* fn = reinterpret_cast<const void*>(::GetProcAddress(lib_.Get(), name));
        if (!fn) {
            ADD_FAILURE() << "no export " << name;
            return false;
        }
        return rt::CallStdcallChecked(fn, args.size() ? args.begin() : nullptr, static_cast<int>(args.size()),
                                      result);
    }

private:
    rt::ScopedModule lib_{::LoadLibraryA(LocalFixture().c_str())};
};

using CallStdcallChecked = FixtureExports;

TEST_F(CallStdcallChecked, StdcallWithTwoArgumentsIsBalanced) {
    uintptr_t result = 0;
    EXPECT_TRUE(Call("AddTwo", {40, 2}, &result));
    EXPECT_EQ(42u, static_cast<uint32_t>(result));
}

TEST_F(CallStdcallChecked, CdeclCalledAsStdcall) {
    uintptr_t result = 0;
#if defined(__i386__)
    // The callee leaves 8 bytes behind; the call notices and still returns
    // with the stack put right (this test goes on running).
    EXPECT_FALSE(Call("CdeclAddTwo", {5, 6}, &result));
#else
    // x64 has one convention: the caller always removes the arguments.
    EXPECT_TRUE(Call("CdeclAddTwo", {5, 6}, &result));
#endif
    EXPECT_EQ(11u, static_cast<uint32_t>(result));
    // A cdecl function without arguments leaves nothing behind.
    EXPECT_TRUE(Call("Which", {}, nullptr));
}

TEST_F(CallStdcallChecked, EightArgumentsArriveInOrder) {
    uintptr_t result = 0;
    EXPECT_TRUE(Call("WeightedSum8", {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000}, &result));
    EXPECT_EQ(1 + 20 + 300 + 4000 + 50000 + 600000 + 7000000 + 80000000,
              static_cast<int32_t>(result));
}

TEST_F(CallStdcallChecked, RegisterWideValuesSurvive) {
    const uintptr_t value = static_cast<uintptr_t>(0x89ABCDEF) |
                            (sizeof(uintptr_t) > 4 ? static_cast<uintptr_t>(0x76543210) << 16 << 16 : 0);
    uintptr_t result = 0;
    EXPECT_TRUE(Call("Identity", {value}, &result));
    EXPECT_EQ(value, result);
}

// --- binding ---------------------------------------------------------------

// The library is loaded at the entry's first call, and once: a single
// release at the end unloads it.
TEST_F(DllCommandTest, BindsAtFirstCallOnly) {
    Use({{"dllcmd_which.dll", "AddTwo", kBeside}, {"dllcmd_which.dll", "Which", kBeside}});
    EXPECT_EQ(nullptr, ::GetModuleHandleA("dllcmd_which.dll"));
    EXPECT_EQ(7u, rt::CallDllCommand(0, {3, 4}));
    EXPECT_EQ(9u, rt::CallDllCommand(0, {4, 5}));
    EXPECT_NE(nullptr, ::GetModuleHandleA("dllcmd_which.dll"));
    rt::FreeDllCommandLibraries();
    EXPECT_EQ(nullptr, ::GetModuleHandleA("dllcmd_which.dll"));
}

// The single-instance test reads GetLastError through the table right after
// CreateMutexA; binding that entry must not change what it reads.
TEST_F(DllCommandTest, BindingKeepsTheCallersLastError) {
    Use({{"dllcmd_clears_error.dll", "LastErrorOnEntry", kBeside}, {"", "GetLastError"}});
    ASSERT_EQ(nullptr, ::GetModuleHandleA("dllcmd_clears_error.dll"));
    ::SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_EQ(uintptr_t{ERROR_ALREADY_EXISTS}, rt::CallDllCommand(0));  // loads the library
    ::SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_EQ(uintptr_t{ERROR_ALREADY_EXISTS}, rt::CallDllCommand(0));
    ::SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_EQ(uintptr_t{ERROR_ALREADY_EXISTS}, rt::CallDllCommand(1));  // searches the system libraries
}

// The suite's own plug-ins come from the program's folder and from nowhere
// else: neither a library of that name loaded already nor one on PATH.
TEST_F(DllCommandTest, APluginComesFromTheProgramFolderOnly) {
    rt::ScopedModule elsewhere(::LoadLibraryA((OtherDir() + "\\dllcmd_which.dll").c_str()));
    ASSERT_TRUE(elsewhere);
    ASSERT_EQ(elsewhere.Get(), ::GetModuleHandleA("dllcmd_which.dll"));
    Use({{"dllcmd_which.dll", "Which", kBeside}, {"dllcmd_elsewhere.dll", "Which", kBeside}});
    EXPECT_EQ(1u, rt::CallDllCommand(0));

    char oldPath[32767] = {};
    ::GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    ::SetEnvironmentVariableA("PATH", (OtherDir() + ";" + oldPath).c_str());
    const FatalCaught f = ExpectFatal(1);
    ::SetEnvironmentVariableA("PATH", oldPath);
    EXPECT_EQ("无法找到指定DLL库文件“dllcmd_elsewhere.dll”中的输出命令“Which”", f.message);
}

// A named system library comes from the system folder and from nowhere else:
// a file of that name beside the program never runs inside it.
TEST_F(DllCommandTest, ASystemLibraryComesFromTheSystemFolderOnly) {
    Use({{"dllcmd_which.dll", "Which"}, {"kernel32", "GetCurrentProcessId"}});
    const FatalCaught f = ExpectFatal(0);
    EXPECT_EQ("无法找到指定DLL库文件“dllcmd_which.dll”中的输出命令“Which”", f.message);
    EXPECT_EQ(nullptr, ::GetModuleHandleA("dllcmd_which.dll"));
    EXPECT_EQ(::GetCurrentProcessId(), static_cast<DWORD>(rt::CallDllCommand(1)));
}

TEST_F(DllCommandTest, NameWithColonIsLoadedUnchanged) {
    static std::string full;
    full = OtherDir() + "\\dllcmd_which.dll";
    Use({{full.c_str(), "Which"}});
    EXPECT_EQ(2u, rt::CallDllCommand(0));
}

TEST_F(DllCommandTest, OrdinalForm) {
    rt::ScopedModule lib(::LoadLibraryA(LocalFixture().c_str()));
    ASSERT_TRUE(lib);
    int ordinal = OrdinalOf(lib.Get(), "Which");
    ASSERT_GT(ordinal, 0);
    static std::string byOrdinal, wrapped;
    byOrdinal = "#" + std::to_string(ordinal);
    wrapped = "#" + std::to_string(ordinal + 65536);  // only the low 16 bits count
    Use({{"dllcmd_which.dll", byOrdinal.c_str(), kBeside}, {"dllcmd_which.dll", wrapped.c_str(), kBeside}});
    EXPECT_EQ(1u, rt::CallDllCommand(0));
    EXPECT_EQ(1u, rt::CallDllCommand(1));
}

TEST_F(DllCommandTest, EmptyLibraryNameSearchesTheSystemLibraries) {
    bool mprLoadedBefore = ::GetModuleHandleA("mpr.dll") != nullptr;
    Use({{"", "GetCurrentProcessId"}, {"", "SHGetSpecialFolderPathA"}, {"", "lstrcpyn"},
         {"kernel32", "WideCharToMultiByte"}, {"", "GetDesktopWindow"}});
    EXPECT_EQ(::GetCurrentProcessId(), static_cast<DWORD>(rt::CallDllCommand(0)));

    // This one lives in the last library only: every library before it that
    // lacks it is released again, and the one that has it stays loaded.
    char folder[MAX_PATH] = {};
    EXPECT_NE(0u, rt::CallDllCommand(1, {0, reinterpret_cast<uintptr_t>(folder),
                                         CSIDL_DESKTOPDIRECTORY, FALSE}) & 0xFFFFFFFFu);
    EXPECT_NE('\0', folder[0]);
    EXPECT_NE(nullptr, ::GetModuleHandleA("shell32.dll"));
    if (!mprLoadedBefore) {
        EXPECT_EQ(nullptr, ::GetModuleHandleA("mpr.dll"));
    }

    // The main program's table names these two forms.
    char buffer[8] = {};
    rt::CallDllCommand(2, {reinterpret_cast<uintptr_t>(buffer), reinterpret_cast<uintptr_t>("abcdef"), 4});
    EXPECT_STREQ("abc", buffer);
    wchar_t wide[] = L"\u65f6\u949f";  // 时钟
    char narrow[8] = {};
    EXPECT_EQ(5u, rt::CallDllCommand(3, {CP_ACP, 0, reinterpret_cast<uintptr_t>(wide), 0xFFFFFFFFu,
                                         reinterpret_cast<uintptr_t>(narrow), sizeof narrow, 0, 0}) &
                      0xFFFFFFFFu);
    EXPECT_STREQ("时钟", narrow);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(::GetDesktopWindow()), rt::CallDllCommand(4));
}

// --- failures ------------------------------------------------------------------

TEST_F(DllCommandTest, MissingLibraryIsFatalAtFirstCallWithItsName) {
    Use({{"dllcmd_absent.dll", "定时关机", kBeside}});
    FatalCaught f = ExpectFatal(0);
    EXPECT_EQ(0, f.code);
    EXPECT_EQ("无法找到指定DLL库文件“dllcmd_absent.dll”中的输出命令“定时关机”", f.message);
}

TEST_F(DllCommandTest, MissingExportReleasesTheLibrary) {
    std::string full = OtherDir() + "\\dllcmd_elsewhere.dll";
    static std::string held;
    held = full;
    Use({{held.c_str(), "NoSuchExport"}, {"", "NoSuchExportAnywhere"}});
    ASSERT_EQ(nullptr, ::GetModuleHandleA(full.c_str()));
    FatalCaught f = ExpectFatal(0);
    EXPECT_EQ("无法找到指定DLL库文件“" + full + "”中的输出命令“NoSuchExport”", f.message);
    EXPECT_EQ(nullptr, ::GetModuleHandleA(full.c_str()));

    f = ExpectFatal(1);
    EXPECT_EQ(0, f.code);
    EXPECT_EQ("无法找到指定DLL库文件中的输出命令“NoSuchExportAnywhere”", f.message);
}

TEST_F(DllCommandTest, UnbalancedStackIsFatalError6) {
    Use({{"dllcmd_which.dll", "CdeclAddTwo", kBeside}});
#if defined(__i386__)
    FatalCaught f = ExpectFatal(0, {1, 2});
    EXPECT_EQ(6, f.code);
    EXPECT_EQ("调用DLL命令后发现堆栈错误", f.message);
#else
    EXPECT_EQ(3u, rt::CallDllCommand(0, {1, 2}));
#endif
}

TEST_F(DllCommandTest, FreeingReleasesTheLibrariesAndForgetsTheAddresses) {
    static std::string full;
    full = OtherDir() + "\\dllcmd_elsewhere.dll";
    Use({{full.c_str(), "Which"}});
    ASSERT_EQ(nullptr, ::GetModuleHandleA(full.c_str()));
    EXPECT_EQ(3u, rt::CallDllCommand(0));
    EXPECT_NE(nullptr, ::GetModuleHandleA(full.c_str()));
    rt::FreeDllCommandLibraries();
    EXPECT_EQ(nullptr, ::GetModuleHandleA(full.c_str()));
    EXPECT_EQ(3u, rt::CallDllCommand(0));
    EXPECT_NE(nullptr, ::GetModuleHandleA(full.c_str()));  // bound again
}

TEST_F(DllCommandTest, AWindowOfAFreedLibraryIsDestroyedBeforeTheLibraryGoes) {
    Use({{"dllcmd_window.dll", "OpenLayerWindow", kBeside}});
    HWND window = reinterpret_cast<HWND>(rt::CallDllCommand(0));
    ASSERT_TRUE(::IsWindow(window));
    rt::FreeDllCommandLibraries();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, ::GetModuleHandleA("dllcmd_window.dll"));
    if (::IsWindow(window)) ::DestroyWindow(window);
}

// --- the fatal-error path, in a child process ------------------------------------

struct ChildOutcome {
    bool boxSeen = false;
    std::string caption, text;
    DWORD exitCode = 0;
    bool exited = false;
};

struct BoxSearch {
    DWORD pid;
    HWND box;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<BoxSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[32] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && !std::strcmp(cls, "#32770") && ::IsWindowVisible(hwnd)) {
        search->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindStaticText(HWND hwnd, LPARAM lp) {
    char cls[32] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (!std::strcmp(cls, "Static")) {
        char text[1024] = {};
        ::GetWindowTextA(hwnd, text, sizeof text);
        if (text[0]) {
            *reinterpret_cast<std::string*>(lp) = text;
            return FALSE;
        }
    }
    return TRUE;
}

ChildOutcome RunFatalChild(const std::string& mode, const std::function<void()>& whileBoxShows = {}) {
    ChildOutcome out;
    std::string exe = FixtureDir() + "\\dllcmd_fatal_child.exe";
    std::string cmd = "\"" + exe + "\" " + mode;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          FixtureDir().c_str(), &si, &pi)) {
        ADD_FAILURE() << "cannot start " << exe;
        return out;
    }
    rt::ScopedHandle process(pi.hProcess), thread(pi.hThread);
    BoxSearch search{pi.dwProcessId, nullptr};
    for (int i = 0; i < 600 && !search.box; ++i) {
        if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) ::Sleep(25);
    }
    if (search.box) {
        if (whileBoxShows) whileBoxShows();
        out.boxSeen = true;
        char caption[256] = {};
        ::GetWindowTextA(search.box, caption, sizeof caption);
        out.caption = caption;
        ::EnumChildWindows(search.box, FindStaticText, reinterpret_cast<LPARAM>(&out.text));
        ::PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    }
    if (::WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0) {
        out.exited = true;
        ::GetExitCodeProcess(pi.hProcess, &out.exitCode);
    } else {
        ::TerminateProcess(pi.hProcess, 1);
    }
    return out;
}

void ExpectFatalBox(const std::string& mode, const std::string& expectedText,
                    const std::function<void()>& whileBoxShows = {}) {
    SCOPED_TRACE(mode);
    ChildOutcome out = RunFatalChild(mode, whileBoxShows);
    EXPECT_TRUE(out.boxSeen);
    EXPECT_EQ(expectedText, out.text);
    EXPECT_EQ("错误", out.caption);
    EXPECT_TRUE(out.exited);
    EXPECT_EQ(static_cast<DWORD>(-1), out.exitCode);
}

TEST(FatalRuntimeError, MissingLibraryBoxAndExitCode) {
    ExpectFatalBox("missing-library",
                   "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“dllcmd_absent.dll”中的输出命令“定时关机”\r\n");
}

TEST(FatalRuntimeError, MissingSystemExportBox) {
    ExpectFatalBox("missing-export",
                   "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件中的输出命令“NoSuchExportAnywhere”\r\n");
}

TEST(FatalRuntimeError, ErrorNumberAndText) {
    ExpectFatalBox("code", "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
}

TEST(FatalRuntimeError, NeitherNumberNorText) { ExpectFatalBox("bare", "运行时出错!\r\n\r\n"); }

std::string ReadCount(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        char b[32] = {};
        if (std::fgets(b, sizeof b, f)) text = b;
        std::fclose(f);
    }
    return text;
}

// Under the box nothing of the program runs: neither the layer's timers nor
// those of another window on the same thread (a plug-in's).
TEST(FatalRuntimeError, NoTimerFiresWhileTheBoxShows) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "fatal-timers";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string layer = dir + "\\layer-ticks.txt", raw = dir + "\\raw-ticks.txt";
    ::DeleteFileA(layer.c_str());
    ::DeleteFileA(raw.c_str());
    std::string layerAtBox, rawAtBox, layerLater, rawLater;
    ExpectFatalBox("timers \"" + dir + "\"", "运行时出错!\r\n\r\n错误信息：timers\r\n", [&] {
        ::Sleep(100);  // a tick in flight when the box came is written
        layerAtBox = ReadCount(layer);
        rawAtBox = ReadCount(raw);
        ::Sleep(1000);
        layerLater = ReadCount(layer);
        rawLater = ReadCount(raw);
    });
    EXPECT_FALSE(layerAtBox.empty());
    EXPECT_FALSE(rawAtBox.empty());
    EXPECT_EQ(layerAtBox, layerLater);
    EXPECT_EQ(rawAtBox, rawLater);
}

#if defined(__i386__)
TEST(FatalRuntimeError, UnbalancedStackEndsTheProgram) {
    ExpectFatalBox("unbalanced", "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
}
#endif

TEST(FatalRuntimeError, FailedAllocationNamesTheSize) {
    const std::string size = std::to_string(static_cast<std::size_t>(-1) / 2 + 1);
    ExpectFatalBox("alloc", "运行时出错!\r\n\r\n错误信息：分配 " + size + " 字节内存失败!\r\n");
}

}  // namespace
