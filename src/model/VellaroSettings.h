#pragma once

#include "model/DialArrangement.h"
#include "model/DialPreset.h"
#include "model/MaterialChoice.h"
#include "model/MenuScale.h"
#include "model/RGBAColor.h"
#include "model/SectionKind.h"
#include "model/SubmenuOpenMode.h"
#include "model/ThemeChoice.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellaro {

// Every user preference, with a default for each field. The JSON key of a
// field is its name. Only SettingsStore changes the live copy.
struct VellaroSettings {
    static constexpr std::int64_t currentVersion = 2;
    static constexpr double defaultHoverDelayMS = 120;
    static constexpr double defaultGestureHoldMS = 300;

    std::int64_t version = currentVersion;
    // Ctrl+Alt+Space: Alt+Space is the window menu of most Linux desktops.
    std::uint32_t hotKeyCode = 49;        // Mac virtual key code of Space
    std::uint32_t hotKeyModifiers = 6144; // Carbon control | option masks
    QString hotKeyDisplay = QStringLiteral(u"\u2303\u2325Space");
    // The Forward side button (X button 9): the middle button pastes the
    // primary selection on X11. -1 means none.
    std::int64_t mouseTriggerButton = 4;
    ThemeChoice theme = ThemeChoice::pearl;
    MaterialChoice material = MaterialChoice::frost;
    RGBAColor customBase{0.145, 0.137, 0.129, 1.0};
    RGBAColor customAccent{0.498, 0.498, 0.91, 1.0};
    MenuScale scale = MenuScale::standard;
    double dialBrightness = 0; // percent of lift; read it through clampedDialBrightness()
    DialArrangement arrangement = DialArrangement::standard;
    std::vector<SectionKind> customSections = standardSections();
    std::vector<DialPreset> userPresets;
    QStringList actionOrder;
    QStringList hiddenActions;
    double hoverDelayMS = defaultHoverDelayMS;   // read it through clampedHoverDelayMS()
    double gestureHoldMS = defaultGestureHoldMS; // read it through clampedGestureHoldMS()
    SubmenuOpenMode submenuOpen = SubmenuOpenMode::hover;
    std::int64_t clipboardRetention = 25;
    QStringList clipboardExcluded;
    bool showLabels = true;
    bool hapticsEnabled = true;
    bool forceOpaque = false;

    // The 24 JSON keys, in declaration order.
    static const QStringList& keys();

    // Key by key: an absent or null key takes its default; a present key with
    // a value its field cannot hold rejects the whole object (nothing is
    // returned and `error` says which key). Unknown keys are ignored.
    static std::optional<VellaroSettings> fromJson(const QJsonObject& object,
                                                   QString* error = nullptr);
    // All 24 keys. Fails only on a number JSON cannot hold (not finite).
    std::optional<QJsonObject> toJson(QString* error = nullptr) const;
    // Brings a decoded record of an older version up to the current one.
    VellaroSettings migrated() const;

    // Numbers from the file, made safe where they are used.
    double clampedHoverDelayMS() const;    // finite, 0...10000
    double clampedGestureHoldMS() const;   // finite, 0...10000
    double clampedDialBrightness() const;  // finite, 0...100
    int clampedMouseTriggerButton() const; // -1...31; anything else is -1 (none)

    friend bool operator==(const VellaroSettings&, const VellaroSettings&) = default;
};

} // namespace vellaro
