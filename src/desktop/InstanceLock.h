#pragma once
#include <functional>

namespace cursovia {

// Who runs the program in this user session: two copies would each write
// their whole list over the other's at every change.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Takes the session for this copy as long as it runs; false when a copy
    // that runs holds it. A copy that ended without letting go (killed,
    // crashed) holds nothing.
    virtual bool claim() = 0;
    // Asks the copy that holds the session to show its window, waiting a
    // little for one that is still starting; false when it could not be reached.
    virtual bool askHolderToShow() = 0;
    // From now on each later copy's request calls `show`, between events on
    // this thread.
    virtual void onShowAsked(std::function<void()> show) = 0;
};

// Whether this start runs the program. When another copy holds the session,
// that copy is asked to show its window, with the list it holds, and this one
// is to end before it reads or writes any setting.
bool startsAsTheSessionsCopy(InstanceLock& lock);

} // namespace cursovia
