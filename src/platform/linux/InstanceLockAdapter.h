#pragma once
#include "desktop/InstanceLock.h"

#include <QLocalServer>
#include <QLockFile>
#include <QString>

namespace cursovia::qtx11 {

// One copy per user and X display: a lock file in $XDG_RUNTIME_DIR (the
// temporary folder without one) that Qt finds stale once the process that
// took it is gone, and a local socket beside it on which the copy holding the
// lock hears a later copy ask it to show itself.
class LocalSocketInstanceLock : public InstanceLock {
public:
    LocalSocketInstanceLock();
    bool claim() override;
    bool askHolderToShow() override;
    void onShowAsked(std::function<void()> show) override;

private:
    QString name_; // the lock file's and the socket's path without extension
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace cursovia::qtx11
