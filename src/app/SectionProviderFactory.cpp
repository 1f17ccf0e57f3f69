#include "app/SectionProviderFactory.h"

#include "app/Logging.h"
#include "clipboard/DesktopClipboardProvider.h"
#include "model/EmptySectionProvider.h"

namespace vellaro {

std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind) {
    switch (kind) {
    case SectionKind::workspaces:
    case SectionKind::windows:
    case SectionKind::apps:
    case SectionKind::files:
        break;
    case SectionKind::clipboard:
        return makeDesktopClipboardProvider(
            [] { qCInfo(appLog) << "The clipboard history window is not built yet"; });
    case SectionKind::sound:
    case SectionKind::actions:
        break;
    }
    return std::make_unique<EmptySectionProvider>();
}

} // namespace vellaro
