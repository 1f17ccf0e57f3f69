#pragma once

#include "model/MenuDataSource.h"
#include "model/SectionKind.h"
#include "settings/model/ContextPanelServices.h"

namespace vellaro {

// The section's provider seen as what a pane edits; null when the section's
// provider offers no such thing (a section not built yet).
template <class Source>
Source* paneSource(const ContextPanelServices& services, SectionKind kind) {
    if (!services.dataSource)
        return nullptr;
    return dynamic_cast<Source*>(&services.dataSource->provider(kind));
}

} // namespace vellaro
