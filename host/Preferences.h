#pragma once

#include <string>
#include <vector>

namespace vex::host {

// The application's shared preferences, read by the debugger, the trace window, the file
// dialogs and the runs (the script editor keeps its own settings, editing/EditorSettings.h).
// Kept in memory; the defaults hold until the application sets other values.
class TPreferences {
public:
    // `baseDirectory` becomes the first entry of the directory list (where the help file is).
    explicit TPreferences(std::string baseDirectory = ".");

    // Model views show "Frozen for debug" while the debugger holds a run.
    bool ShowFrozenMessages = true;
    bool TraceWordWrap = false;
    // The file dialogs show the places bar with PlacesBarDirectory.
    bool UseCustomPlacesBar = false;
    std::string PlacesBarDirectory;
    // The trace window does not come to the front for plain messages.
    bool TraceQuiet = false;
    // The first error a run reports ends the run. Off, an error inside a user-defined word's
    // body or an evaluated text is contained there: that code gives 0 and the code around it
    // goes on. The console runner turns it on unless asked to keep going.
    bool StopAtFirstError = false;
    // The application's directories; the first is its base directory.
    std::vector<std::string> Directories;

    const std::string& BaseDirectory() const { return Directories.front(); }
};

} // namespace vex::host
