#include "host/model/ModelServices.h"

#include "runtime/VexScript.h"

#include <map>
#include <memory>

namespace vex::host {

void TModelServices::SetWaitCursor(bool wait) {
    m_waitCursor = wait;
    if (Cursor) {
        Cursor->SetWaitCursor(wait);
    }
}

void TModelServices::RefreshTree() {
    ++m_treeRefreshes;
    if (Tree) {
        Tree->Refresh();
    }
}

THostPartCache<TModelServices> LastModelServices;

TModelHost::~TModelHost() {
    LastModelServices.Forget(m_services);
}

// Only a TModelHost's services are remembered: its destructor forgets them again, so the cache
// never points at services that are gone.
TModelServices& FindModelServices(TLanguageInterpreter& context) {
    if (auto* host = dynamic_cast<TModelHost*>(&context.Host())) {
        LastModelServices.Remember(context, host->Services());
        return host->Services();
    }
    // Hosts without a model of their own (such as a plain console host) get services per
    // context. They are never freed: handler code in the model points into the context's
    // globals, so the model must not be destroyed after the context is gone.
    static std::map<const TLanguageInterpreter*, TModelServices*> servicesOf;
    TModelServices*& services = servicesOf[&context];
    if (!services) {
        services = new TModelServices;
    }
    return *services;
}

} // namespace vex::host
