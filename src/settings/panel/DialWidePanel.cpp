#include "settings/panel/DialWidePanel.h"

#include "model/EffectiveSections.h"
#include "model/SettingsStore.h"
#include "platform/session/LoginItem.h"
#include "settings/kit/ContextPanelIconTile.h"
#include "settings/kit/ContextPanelTitleBlock.h"
#include "settings/kit/PanelText.h"
#include "settings/kit/PermissionRow.h"
#include "settings/library/LibrarySection.h"
#include "settings/model/ContextPanelHost.h"
#include "settings/model/ContextPanelServices.h"
#include "settings/panel/ColorWell.h"
#include "settings/panel/DialWideText.h"
#include "settings/panel/HapticsStatusRow.h"
#include "settings/panel/UpdatesGroup.h"
#include "ui/KitPaint.h"
#include "ui/VelAdvanced.h"
#include "ui/VelDivider.h"
#include "ui/VelRowView.h"
#include "ui/VelSeg.h"
#include "ui/VelSliderRow.h"
#include "ui/VelToggleRow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vellaro {

namespace {

// Saves a slider's value only when the step differs from what is stored.
void saveIfChanged(SettingsStore& store, double VellaroSettings::*field, double value,
                   double stored) {
    if (value == stored)
        return;
    store.update([field, value](VellaroSettings& settings) { settings.*field = value; });
}

void saveFlag(SettingsStore& store, bool VellaroSettings::*field, bool on) {
    store.update([field, on](VellaroSettings& settings) { settings.*field = on; });
}

} // namespace

DialWidePanel::DialWidePanel(const Pal& pal, ContextPanelHost& host,
                             const ContextPanelServices& services, MXHapticsState hapticsState,
                             QWidget* parent)
    : KitWidget(pal, parent), host_(host), services_(services) {
    const VellaroSettings& settings = host.settings();
    library_ = new LibrarySection(pal, host, this);
    material_ = new VelSeg(pal, DialWideText::materialLabels(),
                           DialWideText::materialLabel(settings.material), this);
    theme_ = new VelSeg(pal, DialWideText::themeLabels(), DialWideText::themeLabel(settings.theme),
                        this);
    surfaceWell_ = new ColorWell(pal, settings.customBase.toColor(), this);
    accentWell_ = new ColorWell(pal, settings.customAccent.toColor(), this);
    surfaceRow_ = new VelRowView(pal, QStringLiteral("Surface"), std::nullopt, surfaceWell_, this);
    accentRow_ = new VelRowView(pal, QStringLiteral("Accent"), std::nullopt, accentWell_, this);
    brightness_ =
        new VelSliderRow(pal, QStringLiteral("Brightness"), settings.clampedDialBrightness(),
                         {0, 100, 5}, QStringLiteral("%"), this);
    size_ = new VelSeg(pal, DialWideText::scaleLabels(), DialWideText::scaleLabel(settings.scale),
                       this);
    labels_ =
        new VelToggleRow(pal, QStringLiteral("Labels"), QStringLiteral("Icon-only dial when off"),
                         settings.showLabels, std::nullopt, this);
    haptics_ = new VelToggleRow(pal, QStringLiteral("Haptics"),
                                QStringLiteral("Tick when crossing sections"),
                                settings.hapticsEnabled, std::nullopt, this);
    hapticsRow_ = new HapticsStatusRow(pal, hapticsState, services.haptics, services.notifications,
                                       services.showHapticsSetup, this);
    launch_ = new VelToggleRow(pal, QStringLiteral("Launch at login"), std::nullopt, false,
                               std::nullopt, this);
    advanced_ = new VelAdvanced(pal, false, DialWideText::advancedSummary(settings),
                                buildAdvancedContent(services), std::nullopt, this);
    updates_ = new UpdatesGroup(pal, services.updates, this);
    footer_ = new PanelText(pal, DialWideText::footer(DialWideText::applicationVersion()),
                            KitPaint::font(10), &Pal::muted, this);
    footer_->setWrapping(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(buildHeader());
    column->addWidget(library_);
    column->addWidget(new VelDivider(pal, this));
    column->addWidget(group(QStringLiteral("MATERIAL"), {material_}));
    column->addWidget(
        group(QStringLiteral("COLORING"), {theme_, surfaceRow_, accentRow_, brightness_}));
    column->addWidget(group(QStringLiteral("SIZE"), {size_}));
    column->addWidget(new VelDivider(pal, this));
    column->addWidget(labels_);
    column->addWidget(haptics_);
    column->addWidget(hapticsRow_);
    column->addWidget(launch_);
    column->addWidget(advanced_);
    column->addWidget(updates_);
    column->addSpacing(4);
    column->addStretch(1);
    column->addWidget(footer_);

    connectEdits();
    reloadLaunchAtLogin();
    settingsChanged();
}

QWidget* DialWidePanel::buildHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new ContextPanelIconTile(pal(), QString(), header), 0, Qt::AlignVCenter);
    row->addWidget(new ContextPanelTitleBlock(pal(), QStringLiteral("Dial"),
                                              QStringLiteral("Applies to the whole wheel"), header),
                   1, Qt::AlignVCenter);
    return header;
}

QWidget* DialWidePanel::group(const QString& heading, const QList<QWidget*>& rows) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    column->addWidget(PanelText::heading(pal(), heading, box));
    // Segmented controls keep their own width; labelled rows span the group.
    for (QWidget* row : rows)
        column->addWidget(row, 0, qobject_cast<VelSeg*>(row) ? Qt::AlignLeft : Qt::Alignment());
    return box;
}

QWidget* DialWidePanel::buildAdvancedContent(const ContextPanelServices& services) {
    const VellaroSettings& settings = host_.settings();
    auto* content = new QWidget;
    hoverIntent_ =
        new VelSliderRow(pal(), QStringLiteral("Hover intent"), int(settings.clampedHoverDelayMS()),
                         {50, 300, 10}, QStringLiteral("ms"), content);
    gestureHold_ = new VelSliderRow(pal(), QStringLiteral("Gesture hold"),
                                    int(settings.clampedGestureHoldMS()), {150, 600, 25},
                                    QStringLiteral("ms"), content);
    submenus_ = new VelSeg(pal(), DialWideText::submenuLabels(),
                           DialWideText::submenuLabel(settings), content);
    opaque_ =
        new VelToggleRow(pal(), QStringLiteral("Always opaque"),
                         QStringLiteral("Forces Matte; Reduce Transparency also enforces this"),
                         settings.forceOpaque, std::nullopt, content);
    accessibility_ = new PermissionRow(pal(), QStringLiteral("Window access"), false,
                                       services.showAccessibilityExplainer, content);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    column->addWidget(hoverIntent_);
    column->addWidget(gestureHold_);
    column->addWidget(
        new VelRowView(pal(), QStringLiteral("Submenus open"), std::nullopt, submenus_, content));
    column->addWidget(opaque_);
    column->addWidget(accessibility_);
    return content;
}

void DialWidePanel::connectEdits() {
    SettingsStore& store = services_.store;
    connect(material_, &VelSeg::chosen, this, [&store](const QString& label) {
        if (const auto material = DialWideText::materialForLabel(label))
            store.setMaterial(*material);
    });
    connect(theme_, &VelSeg::chosen, this, [&store](const QString& label) {
        if (const auto theme = DialWideText::themeForLabel(label))
            store.setTheme(*theme);
    });
    connect(size_, &VelSeg::chosen, this, [&store](const QString& label) {
        if (const auto scale = DialWideText::scaleForLabel(label))
            store.setScale(*scale);
    });
    connect(submenus_, &VelSeg::chosen, this,
            [&store](const QString& label) { store.setSubmenuOpen(label); });
    connect(surfaceWell_, &ColorWell::picked, this, [&store](const QColor& color) {
        store.setCustomColor(color, &VellaroSettings::customBase);
    });
    connect(accentWell_, &ColorWell::picked, this, [&store](const QColor& color) {
        store.setCustomColor(color, &VellaroSettings::customAccent);
    });
    connect(brightness_, &VelSliderRow::valueChanged, this, [this, &store](double value) {
        saveIfChanged(store, &VellaroSettings::dialBrightness, value,
                      host_.settings().clampedDialBrightness());
    });
    connect(hoverIntent_, &VelSliderRow::valueChanged, this, [this, &store](double value) {
        saveIfChanged(store, &VellaroSettings::hoverDelayMS, value, host_.settings().hoverDelayMS);
    });
    connect(gestureHold_, &VelSliderRow::valueChanged, this, [this, &store](double value) {
        saveIfChanged(store, &VellaroSettings::gestureHoldMS, value,
                      host_.settings().gestureHoldMS);
    });
    connect(labels_, &VelToggleRow::toggled, this,
            [&store](bool on) { saveFlag(store, &VellaroSettings::showLabels, on); });
    connect(haptics_, &VelToggleRow::toggled, this,
            [&store](bool on) { saveFlag(store, &VellaroSettings::hapticsEnabled, on); });
    connect(opaque_, &VelToggleRow::toggled, this,
            [&store](bool on) { saveFlag(store, &VellaroSettings::forceOpaque, on); });
    connect(launch_, &VelToggleRow::toggled, this, &DialWidePanel::setLaunchAtLogin);
    connect(advanced_, &VelAdvanced::toggled, advanced_, &VelAdvanced::setOpen);
}

void DialWidePanel::settingsChanged() {
    const VellaroSettings& settings = host_.settings();
    library_->showDial(effectiveSections(settings));
    material_->setSelected(DialWideText::materialLabel(settings.material));
    theme_->setSelected(DialWideText::themeLabel(settings.theme));
    const bool custom = settings.theme == ThemeChoice::custom;
    surfaceRow_->setVisible(custom);
    accentRow_->setVisible(custom);
    surfaceWell_->setColor(settings.customBase.toColor());
    accentWell_->setColor(settings.customAccent.toColor());
    brightness_->setValue(settings.clampedDialBrightness());
    size_->setSelected(DialWideText::scaleLabel(settings.scale));
    labels_->setOn(settings.showLabels);
    haptics_->setOn(settings.hapticsEnabled);
    // What the dial uses, truncated, as the summary shows it.
    hoverIntent_->setValue(int(settings.clampedHoverDelayMS()));
    gestureHold_->setValue(int(settings.clampedGestureHoldMS()));
    submenus_->setSelected(DialWideText::submenuLabel(settings));
    opaque_->setOn(settings.forceOpaque);
    advanced_->setSummary(DialWideText::advancedSummary(settings));
}

void DialWidePanel::setAccessibilityTrusted(bool trusted) {
    accessibility_->setGranted(trusted);
}

void DialWidePanel::reloadLaunchAtLogin() {
    launchAtLogin_ = services_.loginItem.status() == LoginItem::Status::enabled;
    launch_->setOn(launchAtLogin_);
}

void DialWidePanel::setLaunchAtLogin(bool on) {
    LoginItem& item = services_.loginItem;
    // Whatever happened, the switch shows what the desktop will do; the
    // login item has logged any failure.
    if (on)
        item.registerItem();
    else
        item.unregisterItem();
    reloadLaunchAtLogin();
}

void DialWidePanel::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    reloadLaunchAtLogin();
}

} // namespace vellaro
