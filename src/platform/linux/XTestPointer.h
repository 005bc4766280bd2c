#pragma once
#include "XDisplay.h"
#include "automation/Pointer.h"

namespace cursovia {

// The pointer through the XTest extension, on an X connection of its own so
// that its requests never wait behind the toolkit's. Every injection is
// synchronised with the server before the call returns. Without a display or
// without XTest the calls do nothing and the position reads as 0, 0.
class XTestPointer : public Pointer {
public:
    XTestPointer();
    void moveTo(ScreenPoint at) override;
    void leftClick() override;
    ScreenPoint position() override;

private:
    XDisplay display_;
    bool hasXTest_ = false;
};

} // namespace cursovia
