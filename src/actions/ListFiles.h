#pragma once
#include "actions/FileReplacement.h"
#include "actions/ListHost.h"
#include "actions/PersistedList.h"
#include "actions/TextEncoding.h"
#include "base/ActionList.h"
#include "base/Dialogs.h"
#include "base/ErrorReport.h"

namespace cursovia {

// Saving the list to an action file, loading one, and the sample list. Each
// runs its statements through the error report of the handler that called it.
class ListFiles {
public:
    ListFiles(ActionList& list, Dialogs& dialogs, TextEncoding& fileEncoding, FileReplacement& fileReplacement,
              PersistedList& stored, ListHost& host)
        : list_(list), dialogs_(dialogs), fileEncoding_(fileEncoding), fileReplacement_(fileReplacement), stored_(stored), host_(host) {}

    void saveToFile(ErrorReport& report);
    // Appends the rows of a file the user picks.
    void loadFromFile(ErrorReport& report);
    void appendSamples(ErrorReport& report);

private:
    ActionList& list_;
    Dialogs& dialogs_;
    TextEncoding& fileEncoding_;
    FileReplacement& fileReplacement_;
    PersistedList& stored_;
    ListHost& host_;
};

} // namespace cursovia
