#include "app/SectionProviderFactory.h"

#include "model/EmptySectionProvider.h"
#include "platform/audio/AudioSystem.h"
#include "providers/sound/SoundProvider.h"

namespace vellaro {

std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind) {
    switch (kind) {
    case SectionKind::workspaces:
    case SectionKind::windows:
    case SectionKind::apps:
    case SectionKind::files:
    case SectionKind::clipboard:
    case SectionKind::actions:
        break;
    case SectionKind::sound:
        return std::make_unique<SoundProvider>(AudioSystem::shared());
    }
    return std::make_unique<EmptySectionProvider>();
}

} // namespace vellaro
