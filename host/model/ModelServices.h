#pragma once

#include "host/HostPartCache.h"
#include "host/Preferences.h"
#include "host/model/AnimationTick.h"
#include "host/model/Model.h"
#include "host/model/ModelViews.h"
#include "host/model/ProgressDisplay.h"
#include "host/model/RunPlaces.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

// Everything the model words reach besides the runtime: the model, the preferences and the
// GUI-facing services. The shell attaches its windows (views, progress, cursor, tree); without
// them the services keep their state silently, which is what the console wants.
class TModelServices {
public:
    TModelServices() {
        Model.Places = &Places;
        Model.Animation = &Animation;
        Animation.Views = &Views;
    }
    TModelServices(const TModelServices&) = delete;
    TModelServices& operator=(const TModelServices&) = delete;

    TModel Model;
    TPreferences Preferences;
    TProgressDisplay Progress;
    TModelViews Views;
    // The frames of the animation while the model runs; drawn only while a view is there.
    TAnimationTick Animation;
    // Where the running code is, for error messages: the statement of a script file, the
    // handler of an atom.
    TRunPlaces Places;
    TCursorDisplay* Cursor = nullptr;
    TModelTree* Tree = nullptr;

    // Shows or ends the wait cursor.
    void SetWaitCursor(bool wait);
    bool WaitCursorShown() const noexcept { return m_waitCursor; }
    // Asks the tree view to show the model again.
    void RefreshTree();
    int TreeRefreshCount() const noexcept { return m_treeRefreshes; }

    // Set by the word Library: the next model file read goes into the library atom.
    bool LoadIntoLibrary = false;
    // Set when the last file read went into the library: the UpdateModelName that follows in
    // the library-opening text must not make the library file the model's file (a later save
    // under the same name would overwrite the library with the model).
    bool LastReadWasLibrary = false;
    // The GUI instances whose code runs (GUIInstance), innermost last.
    std::vector<std::int32_t> InstanceStack;
    // The atoms of the model file being read, by their number in the file (0: the atom the
    // file is read into).
    std::vector<std::int32_t> FileAtoms;

private:
    bool m_waitCursor = false;
    int m_treeRefreshes = 0;
};

// A host interface that carries the model services: it keeps the three registers and routes the
// runtime's progress calls to the progress display. Hosts derive from it and add the language
// texts, the error box and the exception handler.
class TModelHost : public THostInterface {
public:
    TModelHost() = default;
    TModelHost(const TModelHost&) = delete;
    TModelHost& operator=(const TModelHost&) = delete;
    ~TModelHost() override;

    THostRegisters& Registers() override { return m_registers; }
    bool IsProgressActive() const override { return m_services.Progress.IsActive(); }
    void AdvanceProgress(std::string_view item, std::int64_t amount) override {
        m_services.Progress.Advance(item, amount);
    }
    // The preference StopAtFirstError.
    bool StopsAtFirstError() const override { return m_services.Preferences.StopAtFirstError; }
    TModelServices& Services() noexcept { return m_services; }

private:
    THostRegisters m_registers;
    TModelServices m_services;
};

// The model services found last (see THostPartCache).
extern THostPartCache<TModelServices> LastModelServices;

// ModelServicesOf's search, for a context other than the last one.
TModelServices& FindModelServices(TLanguageInterpreter& context);

// The model services of a context: its host's when the host is a TModelHost. A host that is
// none gets services of its own, kept per context as long as the process runs; those have no
// progress routing (the host's IsProgressActive answers for it).
inline TModelServices& ModelServicesOf(TLanguageInterpreter& context) {
    if (TModelServices* services = LastModelServices.Find(context)) [[likely]] {
        return *services;
    }
    return FindModelServices(context);
}

} // namespace vex::host
