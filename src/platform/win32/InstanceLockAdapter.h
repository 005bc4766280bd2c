#pragma once
#include "Handles.h"
#include "desktop/InstanceLock.h"

#include <windows.h>

namespace cursovia::win32 {

// One copy per user session: a named mutex in the session's namespace
// ("Local\"), which the system lets go of when its process ends however it
// ends, and a message-only window through which the copy holding it hears a
// later copy ask it to show itself. The later copy lets it take the
// foreground first, which only the program in front may give.
class MutexInstanceLock : public InstanceLock {
public:
    MutexInstanceLock() = default;
    ~MutexInstanceLock() override;
    MutexInstanceLock(const MutexInstanceLock&) = delete;
    MutexInstanceLock& operator=(const MutexInstanceLock&) = delete;

    bool claim() override;
    bool askHolderToShow() override;
    void onShowAsked(std::function<void()> show) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueHandle mutex_;
    HWND window_ = nullptr;
    std::function<void()> show_;
};

} // namespace cursovia::win32
