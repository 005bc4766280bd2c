#include "guidance/HelpTexts.h"

namespace cursovia {

std::string helpText(const std::string& captureKey, const std::string& stopKey) {
    return "Move your mouse to the desired location on the screen and then press " + captureKey +
           " to set the X and Y coordinate/position of the mouse." + "\r\r" + "Important: Press " + stopKey +
           " to stop this program once started. Please remember this now because you "
           "will not be able to see this reminder once the automatic moves/clicks are running." +
           "\r\r" +
           "Load Actions From File = You can only load actions files that have been saved with 'Save Actions To "
           "File' feature." +
           "\r\r" +
           "Some softwares like BlueStacks or games do not respond to this software. Normal applications like Excel "
           "and Quicken do. Please notify Kelvardo if you find an application that does not work well." +
           "\r\n\r\n" + "Questions? Please contact Team Kelvardo at " + ContactPage;
}

std::string notWorkingText() {
    return std::string("If this software is not working, you can try another software: ") + "\r\r" + "AutoHotKey." +
           "\r\n\r\n" + "Do you want me to open" + "\r\n\r\n" + SearchAddress + "\r\n\r\n" + "now?";
}

} // namespace cursovia
