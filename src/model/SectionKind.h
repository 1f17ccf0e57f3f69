#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace vellaro {

// The dial's sections. Declaration order is the order of allSectionKinds().
enum class SectionKind { workspaces, windows, apps, files, clipboard, sound, actions };

inline constexpr std::array<SectionKind, 7> allSectionKinds{
    SectionKind::workspaces, SectionKind::windows, SectionKind::apps,   SectionKind::files,
    SectionKind::clipboard,  SectionKind::sound,   SectionKind::actions};

// Stored raw value, equal to the case name.
QString rawValue(SectionKind kind);
// Exact, case-sensitive match of a raw value; anything else is absent.
std::optional<SectionKind> sectionKindFromRawValue(const QString& raw);

// The title drawn on a wedge and shown in the console.
QString sectionTitle(SectionKind kind);
// The symbol name of the section's icon (resolved by SymbolCatalog).
QString sectionSymbol(SectionKind kind);

// The standard dial: six sections, sound left out, actions before clipboard.
const std::vector<SectionKind>& standardSections();

} // namespace vellaro
