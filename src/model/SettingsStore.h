#pragma once

#include "core/ObserverList.h"
#include "model/KeyStroke.h"
#include "model/VellaroSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vellaro {

class Notifications;

// Posted on the app-wide hub after every change, with the store as object.
inline constexpr char settingsDidChangeNotification[] = "vellaroSettingsDidChange";

// The one owner of the live settings and the only writer of settings.json.
// Every change runs one path: edit in place, save the whole record, call the
// observers in order, post "vellaroSettingsDidChange". Main thread only.
class SettingsStore : public QObject {
    Q_OBJECT
public:
    using Edit = std::function<void(VellaroSettings&)>;
    using Observer = std::function<void()>;
    using ObserverToken = std::uint64_t;

    // `folder` holds settings.json; empty means there is nowhere to save (the
    // store then logs each failed save and keeps its settings in memory).
    // Reads the file once; writes nothing until the first change.
    SettingsStore(const QString& folder, Notifications& notifications, QObject* parent = nullptr);
    ~SettingsStore() override;

    // The shared store in the data folder, posting on the shared hub.
    static SettingsStore& shared();

    const VellaroSettings& settings() const { return settings_; }
    // Empty when there is no data folder.
    QString filePath() const { return filePath_; }

    // Observers run in the order they were added, after each save. One added
    // during a notification hears the next change on; one removed is never
    // called again. A change made by an observer is saved at once and
    // notified after the current round.
    ObserverToken addObserver(Observer observer);
    void removeObserver(ObserverToken token);

    // The one mutation path; every mutator below is this with a fixed edit,
    // and each saves and notifies even when nothing changed.
    void update(const Edit& edit);

    void setHotKey(const KeyStroke& stroke);
    void setMouseTriggerButton(std::int64_t button);
    void removeMouseTrigger();
    void setTheme(ThemeChoice theme);
    void setMaterial(MaterialChoice material);
    void setScale(MenuScale scale);
    // `field` is &VellaroSettings::customBase or &VellaroSettings::customAccent.
    void setCustomColor(const QColor& color, RGBAColor VellaroSettings::*field);
    // "Hover" (exactly) opens fans on hover; any other label on click.
    void setSubmenuOpen(const QString& label);
    // A decimal integer label ("+"/"-" allowed); 25 when empty or not one.
    void setClipboardRetention(const QString& label);
    void setCustomSections(const std::vector<SectionKind>& sections);
    void addSection(SectionKind section, const std::vector<SectionKind>& to);
    // Swaps with the neighbour `step` away, wrapping around; the standard
    // arrangement becomes custom first.
    // Both start from the sections the dial shows, stored as the custom list.
    void moveSection(SectionKind section, int step);
    void removeSection(SectionKind section);
    void addPreset(const QString& name, const std::vector<SectionKind>& sections);
    // The first user preset with exactly this name takes the sections.
    void updatePreset(const QString& name, const std::vector<SectionKind>& sections);
    void setActionOrder(const QStringList& order, const QStringList& appending);
    void hideAction(const QString& identifier);
    void unhideAction(const QString& identifier);
    void restoreAction(const QString& identifier) { unhideAction(identifier); }
    // Appends each bundle identifier the list does not hold yet.
    void addClipboardExclusions(const QStringList& bundleIdentifiers);
    void removeClipboardExclusion(const QString& bundleIdentifier);

private:
    void load();
    void save();
    // The file's content: the record's keys over the kept unknown ones.
    QJsonObject withUnknownKeys(const QJsonObject& encoded) const;
    void notify();
    void makeArrangementCustom();

    Notifications& notifications_;
    QString filePath_;
    VellaroSettings settings_;
    QJsonObject unknownKeys_;           // top-level keys of the file this version does not know
    bool moveAsideBeforeWrite_ = false; // the file on disk must be kept, not replaced
    ObserverList<ObserverToken> observers_;
    ObserverToken nextToken_ = 1;
    bool editing_ = false;
    bool notifying_ = false;
    bool changedWhileNotifying_ = false;
};

} // namespace vellaro
