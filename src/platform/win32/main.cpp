// Cursovia for Windows: the ports, the presenter and the main window, wired
// together and run on this one user-interface thread.
#include "TextEncodingAdapter.h"
#include "FileReplacementAdapter.h"
#include "SkinAdapter.h"
#include "DialogsAdapter.h"
#include "ProgramInfoAdapter.h"
#include "PointerAdapter.h"
#include "KeyEventSourceAdapter.h"
#include "MouseEventSourceAdapter.h"
#include "MainWindow.h"
#include "EventLoopAdapter.h"
#include "TrayShellAdapter.h"
#include "OwnerWindow.h"
#include "SettingsStoreAdapter.h"
#include "AutostartEntryAdapter.h"
#include "ShellOpenAdapter.h"
#include "InstanceLockAdapter.h"
#include "Utf16.h"
#include "app/Form1.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

namespace {

using namespace cursovia;
using namespace cursovia::win32;

// ShellExecuteW may hand the target to a COM-based handler.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

int runProgram() {
    MutexInstanceLock instance;
    if (!startsAsTheSessionsCopy(instance)) return 0;
    const ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    OwnerWindow owner;
    RegistrySettings settings;
    CommonDialogs dialogs(owner);
    MessageLoop loop(owner);
    CursorPointer pointer;
    KeyboardHook keys;
    MouseHook mouse;
    NotifyIconTray tray;
    RunKeyAutostart autostart;
    ShellExecuteOpen shell(owner);
    ColourSkin skin;
    AnsiCodePage fileEncoding;
    WindowsFileReplacement fileReplacement;

    Form1 form({settings, dialogs, loop, pointer, keys, mouse, tray, autostart, shell, skin, fileEncoding, fileReplacement},
               currentProgram());
    MainWindow window(form, skin);
    owner.hwnd = window.hwnd();

    form.Form_Load();
    form.show();
    instance.onShowAsked([&form] { form.AnotherCopyStarted(); });
    return loop.run();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return runProgram();
    } catch (const std::exception& e) {
        // Only the start can fail this way: a window or the timer could not be made.
        MessageBoxW(nullptr, widen(e.what()).c_str(), L"Cursovia", MB_OK | MB_ICONERROR);
        return 1;
    }
}
