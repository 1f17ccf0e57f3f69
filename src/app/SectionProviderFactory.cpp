#include "app/SectionProviderFactory.h"

#include "model/EmptySectionProvider.h"
#include "providers/apps/DesktopAppsProvider.h"

namespace vellaro {

std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind) {
    switch (kind) {
    case SectionKind::apps:
        return makeDesktopAppsProvider();
    case SectionKind::workspaces:
    case SectionKind::windows:
    case SectionKind::files:
    case SectionKind::clipboard:
    case SectionKind::sound:
    case SectionKind::actions:
        break;
    }
    return std::make_unique<EmptySectionProvider>();
}

} // namespace vellaro
