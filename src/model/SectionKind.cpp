#include "model/SectionKind.h"

namespace vellaro {

namespace {
struct SectionInfo {
    const char* raw;
    const char* title;
    const char* symbol;
};

constexpr SectionInfo info(SectionKind kind) {
    switch (kind) {
    case SectionKind::workspaces:
        return {"workspaces", "Workspaces", "rectangle.3.group"};
    case SectionKind::windows:
        return {"windows", "Windows", "macwindow.on.rectangle"};
    case SectionKind::apps:
        return {"apps", "Apps", "square.grid.2x2"};
    case SectionKind::files:
        return {"files", "Files", "folder"};
    case SectionKind::clipboard:
        return {"clipboard", "Clipboard", "doc.on.clipboard"};
    case SectionKind::sound:
        return {"sound", "Sound", "speaker.wave.2"};
    case SectionKind::actions:
        return {"actions", "Actions", "bolt"};
    }
    return {"", "", ""};
}
} // namespace

QString rawValue(SectionKind kind) {
    return QString::fromLatin1(info(kind).raw);
}

std::optional<SectionKind> sectionKindFromRawValue(const QString& raw) {
    for (SectionKind kind : allSectionKinds) {
        if (raw == QLatin1String(info(kind).raw))
            return kind;
    }
    return std::nullopt;
}

QString sectionTitle(SectionKind kind) {
    return QString::fromLatin1(info(kind).title);
}

QString sectionSymbol(SectionKind kind) {
    return QString::fromLatin1(info(kind).symbol);
}

const std::vector<SectionKind>& standardSections() {
    static const std::vector<SectionKind> list{SectionKind::workspaces, SectionKind::windows,
                                               SectionKind::apps,       SectionKind::actions,
                                               SectionKind::clipboard,  SectionKind::files};
    return list;
}

} // namespace vellaro
