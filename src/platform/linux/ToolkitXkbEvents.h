#pragma once

class QGuiApplication;

namespace cursovia::qtx11 {

// Qt asks the server for every change of the keyboard's state, and the
// state includes the pointer's buttons: each click of a run, or of the user,
// would wake the toolkit's reader thread and then the event loop for
// nothing, competing for the processor with the server and the window
// manager that carry the run's clicks out. Qt reads only the modifiers and
// the group from those events; this leaves the buttons out of them.
void leaveButtonsOutOfToolkitKeyboardState(QGuiApplication& app);

} // namespace cursovia::qtx11
