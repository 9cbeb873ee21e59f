// Program directories, processes and window queries of the end-to-end driver.
#include "support/driver.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace e2e {

namespace {

Text WideToGbk(const std::wstring& wide) {
    if (wide.empty()) return Text();
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    Text out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring GbkToWide(const Text& text) {
    if (text.empty()) return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

Text TestHome() {
    // wine-run.sh points HOME at the session's private home; Wine maps / to Z:.
    char buffer[MAX_PATH * 2] = {};
    DWORD n = ::GetEnvironmentVariableA("VELKORA_TEST_HOME", buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) n = ::GetEnvironmentVariableA("HOME", buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) {
        Text home = buffer;
        if (!home.empty() && home[0] == '/') {
            for (char& c : home)
                if (c == '/') c = '\\';
            home = "Z:" + home;
        }
        return home;
    }
    n = ::GetTempPathA(sizeof buffer, buffer);
    Text temp(buffer, n);
    if (!temp.empty() && temp.back() == '\\') temp.pop_back();
    return temp;
}

// Deletes a directory tree; paths are GBK, hence the A functions.
void RemoveTree(const Text& dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            Text name = found.cFileName;
            if (name == "." || name == "..") continue;
            Text full = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(full.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(dir.c_str());
}

Text Deliverable(const char* relative) {
    Text path = VELKORA_BIN_DIR;
    path += "\\";
    path += relative;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace

ProgramDir::ProgramDir(const Text& name) : ProgramDir(GbkToWide(name)) {}

ProgramDir::ProgramDir(const std::wstring& name) {
    // A fresh directory each time: a counter keeps two objects in one test apart.
    static int serial = 0;
    const std::wstring base = GbkToWide(TestHome()) + L"\\" + name;
    for (;;) {
        widePath_ = base + L" " + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        if (::CreateDirectoryW(widePath_.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            std::fprintf(stderr, "e2e: cannot create program directory (error %lu)\n",
                         static_cast<unsigned long>(::GetLastError()));
            break;
        }
    }
    path_ = WideToGbk(widePath_);
    if (GbkToWide(path_) != widePath_) {
        wchar_t shortPath[MAX_PATH] = {};
        const DWORD n = ::GetShortPathNameW(widePath_.c_str(), shortPath, MAX_PATH);
        if (n > 0 && n < MAX_PATH) path_ = WideToGbk(shortPath);
    }
}

ProgramDir::~ProgramDir() {
    if (!keep_) RemoveTree(path_);
}

void ProgramDir::CopyDeliverables(bool withPlugins) {
    struct Item { const char* from; const char* to; bool plugin; };
    static const Item items[] = {
        {"velkora/Velkora.exe", "Velkora.exe", false},
        {"power/Power.dll", "Power.dll", true},
        {"clock/Clock.dll", "Clock.dll", true},
    };
    for (const Item& item : items) {
        if (item.plugin && !withPlugins) continue;
        Text from = Deliverable(item.from);
        if (!::CopyFileA(from.c_str(), File(item.to).c_str(), FALSE))
            std::fprintf(stderr, "e2e: cannot copy %s (error %lu)\n", item.from,
                         static_cast<unsigned long>(::GetLastError()));
    }
}

Text DeliverablePath(const Text& relative) { return Deliverable(relative.c_str()); }

DllOverride::DllOverride(std::vector<Text> libraries, const Text& order) : libraries_(std::move(libraries)) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Velkora.exe\\DllOverrides", 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (const Text& library : libraries_)
        ::RegSetValueExA(key, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order.c_str()),
                         static_cast<DWORD>(order.size() + 1));
    ::RegCloseKey(key);
}

DllOverride::~DllOverride() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Velkora.exe\\DllOverrides", 0, KEY_SET_VALUE,
                        &key) != ERROR_SUCCESS)
        return;
    for (const Text& library : libraries_) ::RegDeleteValueA(key, library.c_str());
    ::RegCloseKey(key);
}

Process::~Process() {
    Kill();
}

Process::Process(Process&& o) noexcept
    : process_(std::exchange(o.process_, nullptr)), pid_(std::exchange(o.pid_, 0)) {}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        Kill();
        process_ = std::exchange(o.process_, nullptr);
        pid_ = std::exchange(o.pid_, 0);
    }
    return *this;
}

Process Process::Start(const Text& exe, const Text& arguments) { return Start(GbkToWide(exe), arguments); }

Process Process::Start(const std::wstring& exe, const Text& arguments) {
    Process p;
    std::wstring dir = exe;
    size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash);
    std::wstring command = L"\"" + exe + L"\"";
    if (!arguments.empty()) command += L" " + GbkToWide(arguments);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // No handle inheritance: a child (or the explorer.exe it may start) must
    // not hold the test's stdout open.
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &si, &pi)) {
        std::fprintf(stderr, "e2e: cannot start %s (error %lu)\n", WideToGbk(exe).c_str(),
                     static_cast<unsigned long>(::GetLastError()));
        return p;
    }
    ::CloseHandle(pi.hThread);
    p.process_ = pi.hProcess;
    p.pid_ = pi.dwProcessId;
    ::WaitForInputIdle(pi.hProcess, 5000);
    return p;
}

bool Process::WaitExit(std::chrono::milliseconds timeout, DWORD* exitCode) {
    if (!process_) return false;
    if (::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(process_, exitCode);
    return true;
}

bool Process::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
    if (!process_) return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

// ---- windows ----

namespace {

struct TopSearch {
    DWORD pid;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid) search->out->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

HWND FindTop(DWORD pid, const Text& title, bool mustBeVisible, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND hwnd : TopWindows(pid)) {
            if (mustBeVisible && !::IsWindowVisible(hwnd)) continue;
            if (WindowText(hwnd) == title) {
                found = hwnd;
                return true;
            }
        }
        return false;
    }, timeout);
    return found;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD pid) {
    std::vector<HWND> out;
    TopSearch search{pid, &out};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return out;
}

HWND FindTopWindow(DWORD pid, const Text& title, std::chrono::milliseconds timeout) {
    return FindTop(pid, title, false, timeout);
}

HWND FindVisibleTopWindow(DWORD pid, const Text& title, std::chrono::milliseconds timeout) {
    return FindTop(pid, title, true, timeout);
}

HWND Child(HWND top, int controlId) {
    // GetDlgItem looks at direct children only; units may sit on tab pages.
    for (HWND child : Children(top))
        if (::GetDlgCtrlID(child) == controlId) return child;
    return nullptr;
}

std::vector<HWND> Children(HWND top) {
    std::vector<HWND> out;
    ::EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

Text WindowText(HWND hwnd) {
    // WM_GETTEXT (not GetWindowText) so that controls of other processes
    // answer with their real text.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return Text();
    Text text(static_cast<size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(static_cast<size_t>(copied));
    return text;
}

Text ClassName(HWND hwnd) {
    char name[256] = {};
    int n = ::GetClassNameA(hwnd, name, sizeof name);
    return Text(name, n > 0 ? static_cast<size_t>(n) : 0);
}

std::vector<Text> ListItems(HWND list) {
    // Wine 8 answers the A messages across processes with UTF-16, so ask in
    // UTF-16 and convert to GBK here.
    Text cls = ClassName(list);
    bool combo = _stricmp(cls.c_str(), "ComboBox") == 0 || _stricmp(cls.c_str(), "ComboBoxEx32") == 0;
    UINT countMsg = combo ? CB_GETCOUNT : LB_GETCOUNT;
    UINT lenMsg = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT textMsg = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<Text> items;
    LRESULT count = ::SendMessageW(list, countMsg, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT len = ::SendMessageW(list, lenMsg, static_cast<WPARAM>(i), 0);
        if (len < 0) len = 0;
        std::wstring buffer(static_cast<size_t>(len) + 16, L'\0');
        LRESULT got = ::SendMessageW(list, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&buffer[0]));
        if (got < 0) got = 0;
        buffer.resize(static_cast<size_t>(got));
        items.push_back(WideToGbk(buffer));
    }
    return items;
}

int ListCurrent(HWND list) {
    Text cls = ClassName(list);
    bool combo = _stricmp(cls.c_str(), "ComboBox") == 0 || _stricmp(cls.c_str(), "ComboBoxEx32") == 0;
    return static_cast<int>(::SendMessageW(list, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

RECT ScreenRect(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

bool Visible(HWND hwnd) { return ::IsWindowVisible(hwnd) != FALSE; }
bool Enabled(HWND hwnd) { return ::IsWindowEnabled(hwnd) != FALSE; }

// ---- message boxes ----

MessageBoxInfo WaitMessageBox(DWORD pid, std::chrono::milliseconds timeout) {
    MessageBoxInfo info;
    WaitUntil([&] {
        for (HWND hwnd : TopWindows(pid)) {
            if (!::IsWindowVisible(hwnd) || ClassName(hwnd) != "#32770") continue;
            info.hwnd = hwnd;
            info.caption = WindowText(hwnd);
            // The message is the static with id 0xFFFF in Wine's and Windows' boxes.
            HWND text = ::GetDlgItem(hwnd, 0xFFFF);
            if (text) {
                info.text = WindowText(text);
            } else {
                for (HWND child : Children(hwnd))
                    if (ClassName(child) == "Static" && !WindowText(child).empty()) info.text = WindowText(child);
            }
            return true;
        }
        return false;
    }, timeout);
    return info;
}

void CloseMessageBox(const MessageBoxInfo& box) {
    if (!box.hwnd) return;
    HWND ok = ::GetDlgItem(box.hwnd, IDOK);
    if (ok && ::IsWindowVisible(ok)) {
        ::PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    } else {
        ::PostMessageA(box.hwnd, WM_CLOSE, 0, 0);
    }
    WaitUntil([&] { return !::IsWindow(box.hwnd); }, std::chrono::seconds(5));
}

// ---- files ----

Text ReadFileText(const Text& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Text();
    Text content;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    ::CloseHandle(file);
    return content;
}

bool WriteFileText(const Text& path, const Text& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

bool FileExists(const Text& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
