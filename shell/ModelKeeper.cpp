#include "shell/ModelKeeper.h"

#include "host/model/ModelFile.h"
#include "host/model/ModelServices.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"

#include <QDir>
#include <QTemporaryFile>

#include <algorithm>

vex::TRunResult TModelKeeper::readKeepingModel(vex::TLanguageInterpreter& context, bool library,
                                               const std::function<vex::TRunResult()>& read) {
    TModelKeeper keeper(context);
    const auto undo = [&] {
        keeper.endFileRead();
        if (library)
            keeper.dropLibraryAdditions();
        else
            keeper.restoreModel();
    };
    vex::TRunResult result;
    try {
        result = read();
    } catch (...) {
        undo();
        throw;
    }
    if (result.Succeeded())
        keeper.endFileRead();
    else
        undo();
    return result;
}

TModelKeeper::TModelKeeper(vex::TLanguageInterpreter& context)
    : m_context(context)
    , m_services(vex::host::ModelServicesOf(context)) {
    const vex::host::TModel& model = m_services.Model;
    m_modelText = vex::host::ModelFileText(model);
    m_fileName = model.FileName;
    m_libraryAtoms = model.FindAtom(model.Library())->Children();
}

// Through a temporary file, as ExecFile reads every model file.
void TModelKeeper::restoreModel() {
    QTemporaryFile copy(QDir::temp().filePath(QStringLiteral("zentaro-model-XXXXXX.vex")));
    const auto size = static_cast<qint64>(m_modelText.size());
    if (!copy.open() || copy.write(m_modelText.data(), size) != size || !copy.flush()) {
        m_context.ReportError("The previous model could not be restored: " +
                              toWindows1252(copy.errorString()).toStdString());
        return;
    }
    const std::string name = vex::host::TextConstant(toWindows1252(copy.fileName()).toStdString());
    vex::TText ignored;
    m_context.ExecuteText("Do(tztfnc([new model]),ExecFile(" + name + "))", ignored);
    endFileRead();
    m_services.Model.FileName = m_fileName;
}

void TModelKeeper::dropLibraryAdditions() {
    vex::host::TModel& model = m_services.Model;
    const std::vector<std::int32_t> present = model.FindAtom(model.Library())->Children();
    for (std::int32_t atom : present)
        if (std::find(m_libraryAtoms.begin(), m_libraryAtoms.end(), atom) == m_libraryAtoms.end())
            model.DestroyAtom(atom, "OpenLibrary");
    m_services.RefreshTree();
}

void TModelKeeper::endFileRead() {
    m_services.Progress.Hide("t-FileRead");
    m_services.SetWaitCursor(false);
    m_services.LoadIntoLibrary = false;
    m_services.LastReadWasLibrary = false;
}
