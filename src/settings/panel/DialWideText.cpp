#include "settings/panel/DialWideText.h"

#include "model/VellaroSettings.h"

#include <QCoreApplication>

namespace vellaro::DialWideText {

namespace {

// The labels stand in the enumerations' declaration order.
template <typename Choice>
QString labelAt(const QStringList& labels, Choice choice) {
    return labels.value(static_cast<int>(choice));
}

template <typename Choice>
std::optional<Choice> choiceFor(const QStringList& labels, const QString& label) {
    const qsizetype index = labels.indexOf(label);
    if (index < 0)
        return std::nullopt;
    return static_cast<Choice>(index);
}

} // namespace

const QStringList& materialLabels() {
    static const QStringList labels{QStringLiteral("Frost"), QStringLiteral("Matte"),
                                    QStringLiteral("Clear")};
    return labels;
}

QString materialLabel(MaterialChoice material) {
    return labelAt(materialLabels(), material);
}

std::optional<MaterialChoice> materialForLabel(const QString& label) {
    return choiceFor<MaterialChoice>(materialLabels(), label);
}

const QStringList& themeLabels() {
    static const QStringList labels{QStringLiteral("System"), QStringLiteral("Light"),
                                    QStringLiteral("Dark"), QStringLiteral("Charcoal"),
                                    QStringLiteral("Custom")};
    return labels;
}

QString themeLabel(ThemeChoice theme) {
    return labelAt(themeLabels(), theme);
}

std::optional<ThemeChoice> themeForLabel(const QString& label) {
    return choiceFor<ThemeChoice>(themeLabels(), label);
}

const QStringList& scaleLabels() {
    static const QStringList labels{QStringLiteral("Small"), QStringLiteral("Standard"),
                                    QStringLiteral("Large")};
    return labels;
}

QString scaleLabel(MenuScale scale) {
    return labelAt(scaleLabels(), scale);
}

std::optional<MenuScale> scaleForLabel(const QString& label) {
    return choiceFor<MenuScale>(scaleLabels(), label);
}

const QStringList& submenuLabels() {
    static const QStringList labels{QStringLiteral("Hover"), QStringLiteral("Click")};
    return labels;
}

QString submenuLabel(const VellaroSettings& settings) {
    return settings.submenuOpen == SubmenuOpenMode::hover ? submenuLabels()[0] : submenuLabels()[1];
}

QString advancedSummary(const VellaroSettings& settings) {
    // The clamped values are finite and small, so the conversion is defined.
    return QString::number(static_cast<int>(settings.clampedHoverDelayMS())) +
           QStringLiteral(" ms · ") +
           QString::number(static_cast<int>(settings.clampedGestureHoldMS())) +
           QStringLiteral(" ms · ") +
           (settings.submenuOpen == SubmenuOpenMode::hover ? QStringLiteral("hover")
                                                           : QStringLiteral("click"));
}

QString footer(const QString& version) {
    return QStringLiteral("Vellaro ") + version +
           QStringLiteral(" · everything on your computer, around your cursor");
}

QString applicationVersion() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("0") : version;
}

} // namespace vellaro::DialWideText
