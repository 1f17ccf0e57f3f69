#pragma once

#include "platform/session/Appearance.h"
#include "platform/time/Scheduler.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QString>
#include <QVariant>
#include <optional>

class QDBusPendingCallWatcher;

namespace vellaro {

// The desktop's appearance on Linux: the colour scheme from the desktop
// portal's "org.freedesktop.appearance" "color-scheme" setting over D-Bus,
// else the application palette's lightness; reduce motion from GNOME's
// "enable-animations". Every question is asked asynchronously with a short
// time-out, so it never blocks: until an answer comes the fallbacks hold,
// and `changed` tells when it has.
class PortalAppearance final : public Appearance {
    Q_OBJECT
public:
    static constexpr int timeoutMs = 1000;

    // `gsettings` is the program that reads GNOME's settings; empty skips it.
    // A bus that is not connected yet can be given later with useBus().
    PortalAppearance(const QDBusConnection& bus, const QString& gsettings, Scheduler& scheduler,
                     QObject* parent = nullptr);

    // Starts following the portal on `bus` (connected).
    void useBus(const QDBusConnection& bus);

    ColorScheme colorScheme() const override;
    bool reduceMotion() const override { return reduceMotion_; }
    bool reduceTransparency() const override { return false; }

private Q_SLOTS:
    void settingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    void readColorScheme(const QString& method);
    void colorSchemeRead(QDBusPendingCallWatcher* call, const QString& method);
    void setPortalScheme(const QVariant& value);
    void readEnableAnimations(const QString& gsettings);
    void setReduceMotion(bool reduce);

    QDBusConnection bus_;
    Scheduler& scheduler_;
    // The portal's answer: none when it has not answered or has no preference.
    std::optional<ColorScheme> portalScheme_;
    bool reduceMotion_ = false;
};

} // namespace vellaro
