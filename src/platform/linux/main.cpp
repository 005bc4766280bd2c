// Cursovia on Linux: the ports on Qt and X11, the presenter, the window.
#include "ProgramInfoAdapter.h"
#include "MainWindow.h"
#include "DialogsAdapter.h"
#include "EventLoopAdapter.h"
#include "SettingsStoreAdapter.h"
#include "ShellOpenAdapter.h"
#include "SkinAdapter.h"
#include "TrayShellAdapter.h"
#include "TerminationSignals.h"
#include "TextEncodingAdapter.h"
#include "FileReplacementAdapter.h"
#include "XDisplay.h"
#include "KeyEventSourceAdapter.h"
#include "MouseEventSourceAdapter.h"
#include "PointerAdapter.h"
#include "AutostartEntryAdapter.h"
#include "WaylandSession.h"
#include "InstanceLockAdapter.h"
#include "ToolkitXkbEvents.h"
#include "app/Form1.h"
#include "app/WaylandNotice.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <exception>

#include <unistd.h>

namespace {

constexpr const char* NoDisplay =
    "cursovia needs an X11 display: set DISPLAY, or run it under Xvfb (xvfb-run ./cursovia)\n";

// Settings and the log-on entry go to the account the program runs as.
void warnWhenRunAsRoot() {
    if (geteuid() == 0)
        std::fputs("cursovia: warning: running as root, so the list, the options and the log-on entry "
                   "are kept in root's account, not yours; start Cursovia as your own user\n",
                   stderr);
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 128})
        icon.addFile(QStringLiteral(":/icons/cursovia-%1.png").arg(size), QSize(size, size));
    return icon;
}

int run(char* programName) {
    using namespace cursovia;
    using namespace cursovia::qtx11;
    // The pointer and the global keys are X11 whatever the session is: under
    // Wayland the whole program runs on XWayland, so that all of it sees the
    // same windows and the same coordinates.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The program takes no command line. Qt would read its own options from
    // it (-platform, -display, -style ...) and could move the window off the
    // X server the pointer and the keys work on: it gets the name alone.
    int qtArgc = 1;
    char* qtArgv[] = {programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    // The window hides in the tray; only closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setDesktopFileName(QStringLiteral("com.kelvardo.Cursovia"));
    leaveButtonsOutOfToolkitKeyboardState(app);
    LocalSocketInstanceLock instance;
    if (!startsAsTheSessionsCopy(instance)) return 0;

    const QIcon icon = programIcon();
    MainWindow window(icon);
    QtSettingsStore settings;
    QtDialogs dialogs(window);
    const std::string keptAside = QtSettingsStore::keepDamagedFileAside();
    if (!keptAside.empty())
        dialogs.messageBox("The settings file could not be read. It was kept as\r\n" + keptAside +
                               "\r\nand Cursovia starts with its default settings.",
                           ProductName, MessageButtons::Ok, MessageIcon::Exclamation);
    QtEventLoop loop;
    XTestPointer pointer;
    XInputKeySource keys;
    XRecordMouseSource mouse(loop);
    QtTrayShell tray(icon);
    XdgAutostartEntry autostart;
    QtShellOpen shell;
    QtSkin skin(window);
    Utf8Encoding fileEncoding;
    PosixFileReplacement fileReplacement;

    Form1 form({settings, dialogs, loop, pointer, keys, mouse, tray, autostart, shell, skin, fileEncoding, fileReplacement},
               linuxProgramInfo());
    window.bind(form);
    const TerminationSignals termination([&window] { window.close(); });

    form.Form_Load();
    tellAboutWaylandOnce(isWaylandSession(), settings, dialogs, form.applicationTitle());
    form.show();
    instance.onShowAsked([&form] { form.AnotherCopyStarted(); });
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    warnWhenRunAsRoot();
    // Qt would abort without a display; say what to do instead.
    if (!cursovia::qtx11::openXDisplay()) {
        std::fputs(NoDisplay, stderr);
        return 1;
    }
    try {
        static char fallbackName[] = "cursovia";
        return run(argc > 0 && argv[0] ? argv[0] : fallbackName);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cursovia: %s\n", e.what());
        return 1;
    }
}
