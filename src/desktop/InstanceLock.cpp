#include "desktop/InstanceLock.h"

namespace cursovia {

bool startsAsTheSessionsCopy(InstanceLock& lock) {
    if (lock.claim()) return true;
    // One that cannot be reached is starting or hanging: a second copy would
    // still write over its list.
    lock.askHolderToShow();
    return false;
}

} // namespace cursovia
