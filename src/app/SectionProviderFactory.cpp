#include "app/SectionProviderFactory.h"

#include "app/ActionsSection.h"

#include "model/EmptySectionProvider.h"

namespace vellaro {

std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind) {
    if (kind == SectionKind::actions)
        return makeActionsProvider();
    switch (kind) {
    case SectionKind::workspaces:
    case SectionKind::windows:
    case SectionKind::apps:
    case SectionKind::files:
    case SectionKind::clipboard:
    case SectionKind::sound:
    case SectionKind::actions:
        break;
    }
    return std::make_unique<EmptySectionProvider>();
}

} // namespace vellaro
