#include "platform/services.h"

#include "platform/files.h"
#include "platform/system.h"

namespace brontal {

Services Services::real() {
    Services s;
    s.isElevated = platform::isProcessElevated;
    s.beep = platform::beep;
    s.messageBox = platform::messageBox;
    s.shellExecute = platform::shellExecute;
    s.setClipboardText = platform::setClipboardText;
    s.runHidden = platform::runHidden;
    s.endProgram = platform::endProcess;
    s.volumeLabel = platform::volumeLabel;
    return s;
}

} // namespace brontal
