#pragma once
#include "base/OwnedHandle.h"

#include <windows.h>

namespace cursovia::win32 {

using UniqueHook = cursovia::OwnedHandle<HHOOK, &UnhookWindowsHookEx>;
using UniqueKey = cursovia::OwnedHandle<HKEY, &RegCloseKey>;
using UniqueIcon = cursovia::OwnedHandle<HICON, &DestroyIcon>;
using UniqueCursor = cursovia::OwnedHandle<HCURSOR, &DestroyCursor>;
using UniqueFont = cursovia::OwnedHandle<HFONT, &DeleteObject>;
using UniqueBrush = cursovia::OwnedHandle<HBRUSH, &DeleteObject>;
using UniqueHandle = cursovia::OwnedHandle<HANDLE, &CloseHandle>; // kernel objects: timers, processes, threads

} // namespace cursovia::win32
