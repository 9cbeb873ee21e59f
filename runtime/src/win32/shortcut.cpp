// Shell links through IShellLinkA and IPersistFile.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "com_internal.h"
#include "gbk_path.h"
#include "late_bound.h"
#include "rt/handles.h"
#include "rt/shell.h"
#include "wide_text.h"

namespace rt {

namespace {

// COM for the length of one call. The layer's UI thread keeps OLE from its
// first use of COM (then this only bumps the count); any other thread gets an
// apartment of its own.
class ComScope {
public:
    ComScope() {
        detail::InitOleOnUiThread();
        hr_ = detail::Ole32().CoInitialize(nullptr);
    }
    ~ComScope() { if (SUCCEEDED(hr_)) detail::Ole32().CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
private:
    HRESULT hr_;
};


Text WithLinkExtension(const Text& path) {
    const auto slash = win32::LastGbkChar(path, '\\');
    const auto nameStart = slash == Text::npos ? 0 : slash + 1;
    if (win32::LastGbkChar(path, '.', nameStart) == Text::npos) return path + ".lnk";
    return path;
}

}  // namespace

bool CreateShortcut(const Text& linkPath, const Text& target,
                    const std::optional<Text>& description,
                    const std::optional<Text>& arguments,
                    const std::optional<Text>& workingDirectory) {
    ComScope com;
    ScopedCom<IShellLinkA> link;
    if (FAILED(detail::Ole32().CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.Put()))))
        return false;
    link->SetPath(target.c_str());
    link->SetShowCmd(SW_SHOW);
    if (description) link->SetDescription(description->c_str());
    if (arguments) link->SetArguments(arguments->c_str());
    if (workingDirectory) link->SetWorkingDirectory(workingDirectory->c_str());

    ScopedCom<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))))
        return false;
    const win32::WideText where = win32::ToWide(WithLinkExtension(linkPath));
    return SUCCEEDED(file->Save(where.c_str(), TRUE));
}

}  // namespace rt
