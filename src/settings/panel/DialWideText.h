#pragma once

#include "model/MaterialChoice.h"
#include "model/MenuScale.h"
#include "model/ThemeChoice.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vellaro {

struct VellaroSettings;

// The labels of the dial-wide panel's segmented controls, each way round,
// and the ADVANCED summary.
namespace DialWideText {

const QStringList& materialLabels(); // "Frost", "Matte", "Clear"
QString materialLabel(MaterialChoice material);
std::optional<MaterialChoice> materialForLabel(const QString& label);

const QStringList& themeLabels(); // "System", "Light", "Dark", "Charcoal", "Custom"
QString themeLabel(ThemeChoice theme);
std::optional<ThemeChoice> themeForLabel(const QString& label);

const QStringList& scaleLabels(); // "Small", "Standard", "Large"
QString scaleLabel(MenuScale scale);
std::optional<MenuScale> scaleForLabel(const QString& label);

const QStringList& submenuLabels(); // "Hover", "Click"
QString submenuLabel(const VellaroSettings& settings);

// "120 ms · 300 ms · hover": the timings the dial uses, truncated.
QString advancedSummary(const VellaroSettings& settings);

// "Vellaro 1.2 · everything on your computer, around your cursor".
QString footer(const QString& version);
// The running version, "0" when the application has none.
QString applicationVersion();

} // namespace DialWideText

} // namespace vellaro
