// Model words that the automation object composes its operations of: a new model, saving, the
// model's name and file, the library, and the shell's views, cursor, progress and tree. Without
// the shell's windows the services keep their state silently (host/model/ModelServices.h).

#include "host/ScriptCodePage.h"
#include "host/model/ModelFile.h"
#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace vex::host {

namespace {

double DisplayWatches(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    Services(c).Views.SetWatchesVisible(NumberArg(c, n, 1) != 0);
    return 0;
}

double ModelFunction(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText function = TextArg(c, n, 1);
    if (SameText(function.view(), "new model")) {
        ModelOf(c).Clear();
        Services(c).RefreshTree();
        return 1;
    }
    ArgumentError(c, n, 1,
                  Quoted(function.view()) + " is no function of this word (known: new model)");
}

double KernelFunction(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const TText function = TextArg(c, n, 1);
    if (SameText(function.view(), "save model under same name")) {
        if (model.FileName.empty()) {
            WordError(c, n,
                      "the model has no file name yet (use kernelfnc([save model as],[file]))");
        }
        SaveModelFile(model, model.FileName, WordOf(c, n));
        return 1;
    }
    if (SameText(function.view(), "save model as")) {
        const std::string path = count >= 2 ? TextArg(c, n, 2).str() : std::string();
        if (path.empty()) {
            ArgumentError(c, n, 2, "a file name is needed to save the model as");
        }
        SaveModelFile(model, path, WordOf(c, n));
        model.FileName = path;
        return 1;
    }
    ArgumentError(c, n, 1,
                  Quoted(function.view()) +
                      " is no function of this word (known: save model under same name, save "
                      "model as)");
}

double WaitCursor(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    Services(c).SetWaitCursor(true);
    return 0;
}

double NormalCursor(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    Services(c).SetWaitCursor(false);
    return 0;
}

double ProgressBarForOpen(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TProgressDisplay& progress = Services(c).Progress;
    if (NumberArg(c, n, 1) == 0) {
        progress.Hide("t-FileRead");
        return 0;
    }
    const std::string path = count >= 2 ? TextArg(c, n, 2).str() : std::string();
    std::error_code error;
    const auto size = std::filesystem::file_size(ScriptToUtf8(path), error);
    progress.Show("t-FileRead", path, error ? 0 : static_cast<std::int64_t>(size));
    return 1;
}

double UpdateModelName(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModelServices& services = Services(c);
    TModel& model = services.Model;
    const std::string path = TextArg(c, n, 1).str();
    if (services.LastReadWasLibrary) {
        services.LastReadWasLibrary = false;
        return 0;
    }
    model.FileName = path;
    const std::string stem = std::filesystem::path(path).stem().string();
    if (!stem.empty()) {
        model.FindAtom(model.Root())->SetName(stem);
        services.RefreshTree();
    }
    return 0;
}

double ModelFileName(int, TCallNode&, TText& text, TLanguageInterpreter& c) {
    text = ModelOf(c).FileName;
    return 0;
}

double Library(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    Services(c).LoadIntoLibrary = true;
    return 0;
}

double TreeRefresh(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    Services(c).RefreshTree();
    return 0;
}

constexpr const char* kVarious = "Various";
constexpr const char* kVisual = "Visualization";

// clang-format off
const TWordRow kRows[] = {
    {1500, "DisplayWatches", kVisual, DisplayWatches, 1, 1, "Shows (1) or hides (0) the watches of the model views.", "DisplayWatches(0)"},
    {1501, "tztfnc", kVarious, ModelFunction, 1, 1, "Model function by name: [new model] empties the model.", "tztfnc([new model])"},
    {1502, "WaitCursor", kVisual, WaitCursor, 0, 0, "Shows the wait cursor.", "WaitCursor"},
    {1503, "NormalCursor", kVisual, NormalCursor, 0, 0, "Ends the wait cursor.", "NormalCursor"},
    {1504, "ProgressBarForOpen", kVisual, ProgressBarForOpen, 1, 2, "Shows (1, with the file name) or hides (0) the progress of reading a model file (item t-FileRead).", "ProgressBarForOpen(1,[bank.vex])"},
    {1506, "UpdateModelName", kVarious, UpdateModelName, 1, 1, "Takes a file name as the model's file, and its base name as the model's name; after a file read into the library it changes nothing.", "UpdateModelName([bank.vex])"},
    {1507, "Library", kVarious, Library, 0, 0, "The next model file read goes into the library instead of the model.", "Do(Library,ExecFile([parts.vex]))"},
    {1508, "TreeRefresh", kVisual, TreeRefresh, 0, 0, "Shows the model tree again.", "TreeRefresh"},
    {1509, "kernelfnc", kVarious, KernelFunction, 1, 2, "Kernel function by name: [save model under same name], or [save model as] with a file name.", "kernelfnc([save model as],[bank.vex])"},
    {1510, "ModelFileName", kVarious, ModelFileName, 0, 0, "The file the model was read from or saved to last.", "ModelFileName"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelAutomationWordRows() {
    return kRows;
}

} // namespace vex::host
