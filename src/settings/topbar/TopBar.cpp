#include "settings/topbar/TopBar.h"

#include "model/HotKeyText.h"
#include "model/KeyStroke.h"
#include "model/MouseButtonText.h"
#include "model/SettingsStore.h"
#include "platform/input/MacKeyCodes.h"
#include "platform/input/RecorderKeyboard.h"
#include "settings/model/ConsoleModel.h"
#include "settings/model/ConsoleTriggers.h"
#include "settings/topbar/HotKeyCapture.h"
#include "settings/topbar/MouseButtonCapture.h"
#include "settings/topbar/TopBarText.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"
#include "ui/WaypointMark.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

namespace vellaro {

namespace {

// The window manager draws the title bar, so the bar needs only a small
// inset above.
constexpr int sideInset = 18, topInset = 10, bottomInset = 10;

QFont spaced(double points, QFont::Weight weight, double spacing) {
    QFont font = KitPaint::font(points, weight);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// The characters of a key's first column: Latin-1 and Unicode keysyms.
QString baseCharacters(std::optional<std::uint32_t> keysym) {
    if (!keysym)
        return QString();
    if (*keysym >= 0x20 && *keysym <= 0x7e)
        return QString(QChar(static_cast<char16_t>(*keysym)));
    if (*keysym >= 0xa0 && *keysym <= 0xff)
        return QString(QChar(static_cast<char16_t>(*keysym)));
    if ((*keysym & 0xff000000) == 0x01000000) {
        const char32_t codePoint = *keysym & 0x00ffffff;
        return QString::fromUcs4(&codePoint, 1);
    }
    return QString();
}

} // namespace

TopBar::TopBar(const Pal& pal, ConsoleModel& model, const Services& services, QWidget* parent)
    : KitWidget(pal, parent), model_(model), services_(services),
      mouseCapture_(new MouseButtonCapture(services.triggers, services.buttons, this)),
      warning_(new TopBarText(pal, KitPaint::font(10.5), QColor(255, 149, 0), this)),
      mouseChip_(new VelChipButton(pal, {.mono = true}, this)),
      hotKeyChip_(new VelChipButton(pal, {.mono = true}, this)),
      prompt_(new TopBarText(pal, KitPaint::font(10), &Pal::muted, this)),
      mouseMenu_(new QMenu(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(sideInset, topInset, sideInset, bottomInset);
    row->setSpacing(10);

    auto* mark = new WaypointMark(pal, 1.8, this);
    mark->setFixedSize(20, 20);
    auto* name = new TopBarText(pal, spaced(11, QFont::DemiBold, 3.4), &Pal::ink, this);
    name->setText(QStringLiteral("VELLARO"));
    auto* mouseCaption = new TopBarText(pal, spaced(9.5, QFont::Bold, 1.7), &Pal::muted, this);
    mouseCaption->setText(QStringLiteral("MOUSE"));
    auto* hotKeyCaption = new TopBarText(pal, spaced(9.5, QFont::Bold, 1.7), &Pal::muted, this);
    hotKeyCaption->setText(QStringLiteral("HOTKEY"));
    prompt_->setText(QStringLiteral("press the new shortcut"));

    row->addWidget(mark);
    row->addWidget(name);
    row->addWidget(warning_);
    row->addStretch(1);
    row->addWidget(mouseCaption);
    row->addWidget(mouseChip_);
    row->addSpacing(6);
    row->addWidget(hotKeyCaption);
    row->addWidget(hotKeyChip_);
    row->addWidget(prompt_);

    mouseChip_->setToolTip(
        QStringLiteral("Click, then press a mouse button — middle or side buttons work best"));
    hotKeyChip_->setToolTip(QStringLiteral("Click, then press the new shortcut"));
    mouseMenu_->addAction(QStringLiteral("Remove Mouse Trigger"), this,
                          &TopBar::removeMouseTrigger);
    mouseChip_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mouseChip_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QMenu* menu = mouseMenu())
            menu->popup(mouseChip_->mapToGlobal(at));
    });
    connect(mouseChip_, &VelChipButton::clicked, this, &TopBar::toggleMouseRecording);
    connect(hotKeyChip_, &VelChipButton::clicked, this, &TopBar::toggleHotKeyRecording);
    connect(&model_, &ConsoleModel::settingsChanged, this, &TopBar::follow);
    // The dial takes the keyboard while it shows; ours is gone after it hid.
    overlayHidden_ =
        services_.notifications.observe(QStringLiteral("vellaroOverlayDidHide"), this,
                                        [this](QObject*) { followKeyboardGrab(true); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    follow();
}

TopBar::~TopBar() {
    if (recording_)
        setRecording(false);
    mouseCapture_->stop();
}

QMenu* TopBar::mouseMenu() const {
    return model_.settings().mouseTriggerButton >= 2 ? mouseMenu_ : nullptr;
}

void TopBar::removeMouseTrigger() {
    services_.store.removeMouseTrigger();
}

void TopBar::toggleHotKeyRecording() {
    setRecording(!recording_);
    setMessage(std::nullopt);
}

void TopBar::toggleMouseRecording() {
    setMessage(std::nullopt);
    mouseRecording_ = !mouseRecording_;
    if (mouseRecording_)
        mouseCapture_->start([this](int cgButton) { mouseCaptured(cgButton); });
    else
        mouseCapture_->stop();
    follow();
}

void TopBar::mouseCaptured(int cgButton) {
    services_.store.setMouseTriggerButton(cgButton);
    const bool taken = mouseCapture_->stop();
    mouseRecording_ = false;
    if (!services_.triggers.isWindowAccessTrusted())
        setMessage(QStringLiteral("The mouse trigger needs Window access to work"));
    else if (taken)
        setMessage(QStringLiteral("That button is already used by another app"));
    else if (cgButton == 2)
        setMessage(QStringLiteral("Middle click also pastes; Vellaro now takes it"));
    follow();
}

void TopBar::setRecording(bool on) {
    if (on == recording_)
        return;
    recording_ = on;
    if (on) {
        services_.triggers.suspendHotKey();
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
        services_.triggers.resumeHotKey();
    }
    followKeyboardGrab();
    follow();
}

void TopBar::followKeyboardGrab(bool retake) {
    QWidget* console = window();
    const bool wanted = recording_ && console->isVisible() && console->isActiveWindow();
    if (wanted && (retake || !keyboardHeld_)) {
        keyboardHeld_ = services_.keyboard.grab(static_cast<std::uint32_t>(console->winId()));
    } else if (!wanted && keyboardHeld_) {
        services_.keyboard.release();
        keyboardHeld_ = false;
    }
}

bool TopBar::isConsoleEvent(QObject* watched) const {
    if (auto* widget = qobject_cast<QWidget*>(watched))
        return widget->window() == window();
    if (auto* surface = qobject_cast<QWindow*>(watched))
        return surface == window()->windowHandle();
    return false;
}

bool TopBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!recording_ ||
        (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
         type != QEvent::ShortcutOverride) ||
        !isConsoleEvent(watched))
        return KitWidget::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Taken as an ordinary key press: the console's shortcuts (Ctrl+Z
        // undoes) never see it while recording.
        event->accept();
        return true;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (event->type() == QEvent::KeyPress && !key.isAutoRepeat())
        capture(key);
    return true;
}

void TopBar::capture(const QKeyEvent& key) {
    // Modifiers alone record nothing; they wait for their key.
    if (isModifierKey(key.key()))
        return;
    const std::optional<std::uint32_t> keysym = services_.keyboard.baseKeysym(key.nativeScanCode());
    const std::optional<std::uint32_t> keyCode =
        keysym ? MacKeyCodes::keyCodeForKeysym(*keysym) : std::nullopt;
    const std::uint32_t modifiers =
        MacKeyCodes::carbonModifiersForX(static_cast<std::uint16_t>(key.nativeModifiers()));
    const HotKeyCapture::Outcome outcome =
        HotKeyCapture::decide(keyCode, modifiers, [this](std::uint32_t code, std::uint32_t mask) {
            return services_.triggers.registerHotKey(code, mask);
        });
    if (!outcome.registered) {
        setMessage(outcome.message);
        return;
    }
    services_.store.setHotKey(KeyStroke{*keyCode, modifiers, baseCharacters(keysym)});
    setRecording(false);
    setMessage(std::nullopt);
}

bool TopBar::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        followKeyboardGrab();
    return KitWidget::event(event);
}

void TopBar::hideEvent(QHideEvent* event) {
    // Hiding the console ends a mouse recording; a hot-key one waits.
    if (mouseRecording_) {
        mouseCapture_->stop();
        mouseRecording_ = false;
        follow();
    }
    followKeyboardGrab();
    KitWidget::hideEvent(event);
}

void TopBar::setMessage(std::optional<QString> message) {
    message_ = std::move(message);
    warning_->setText(message_.value_or(QString()));
}

void TopBar::follow() {
    const VellaroSettings& settings = model_.settings();
    VelChipButton::Look mouse = mouseChip_->look();
    mouse.active = mouseRecording_;
    if (mouseRecording_)
        mouse.label = QStringLiteral("Press a button…");
    else if (settings.mouseTriggerButton < 2)
        mouse.label = QStringLiteral("None");
    else
        mouse.label = MouseButtonText::buttonName(settings.mouseTriggerButton);
    mouseChip_->setLook(mouse);

    VelChipButton::Look hotKey = hotKeyChip_->look();
    hotKey.active = recording_;
    hotKey.label = recording_
                       ? QStringLiteral("Press keys…")
                       : HotKeyText::shortcutText(settings.hotKeyCode, settings.hotKeyModifiers);
    hotKeyChip_->setLook(hotKey);
    prompt_->setVisible(recording_);
}

} // namespace vellaro
