#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vex {
class TLanguageInterpreter;
struct TRunResult;
} // namespace vex

namespace vex::host {
class TModelServices;
}

// What reading a model file or a library may have to undo, taken before the read: the model as
// its model file text with its file name, and the atoms below Library. The main window and the
// automation object open files through readKeepingModel, so that a read which reports an error
// leaves the model as it was.
class TModelKeeper {
public:
    // Runs `read` (a text that reads a model file, or with `library` a library file, into the
    // model) and gives its result. When the read does not succeed (it reported an error, an
    // abort ended it, or an exception leaves it, which then passes on), the model is read back
    // as it was, or what the library added is dropped.
    static vex::TRunResult readKeepingModel(vex::TLanguageInterpreter& context, bool library,
                                            const std::function<vex::TRunResult()>& read);

private:
    explicit TModelKeeper(vex::TLanguageInterpreter& context);

    // Reads the kept model back from its model file text, as ExecFile reads every model file
    // (its atoms get new handles), with its file name.
    void restoreModel();
    // Destroys what the read added below Library, without running handlers: the library never
    // became part of the model.
    void dropLibraryAdditions();
    // An opening text that stopped early leaves the progress item, the wait cursor and the
    // library switches as they were in the middle of reading; a file read is over either way.
    void endFileRead();

    vex::TLanguageInterpreter& m_context;
    vex::host::TModelServices& m_services;
    std::string m_modelText;
    std::string m_fileName;
    std::vector<std::int32_t> m_libraryAtoms;
};
