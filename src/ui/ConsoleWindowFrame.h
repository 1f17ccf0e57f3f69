#pragma once

#include "model/Pal.h"
#include "model/SettingsStore.h"
#include "platform/session/ColorScheme.h"
#include "platform/session/FrameAutosave.h"

#include <QWidget>

namespace vellaro {

class Appearance;
class Defaults;

// The top-level window of every console-style window (settings console,
// setup assistant, clipboard history, update window): it follows the dial's
// theme (applied now and again on every settings or desktop appearance
// change, also while hidden), paints the palette's top-to-bottom gradient
// behind its content, and keeps its frame in Defaults under its name.
// Closing only hides it. Main thread.
class ConsoleWindowFrame : public QWidget {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        Appearance& appearance;
        Defaults& defaults;

        static Services shared();
    };

    struct Look {
        QString title;
        QString frameName; // the Defaults key of the saved frame; empty keeps none
        QSize size;        // the first size, centred, when nothing is saved
        QSize minimumSize;
        bool maximizable = true;
    };

    ConsoleWindowFrame(const Services& services, const Look& look, QWidget* parent = nullptr);
    ~ConsoleWindowFrame() override;

    const Pal& pal() const { return pal_; }
    ColorScheme scheme() const { return scheme_; }

    // Applies the appearance, shows the window, un-minimises, raises and
    // activates it.
    void present();
    void applyAppearance();

Q_SIGNALS:
    // The window's palette or scheme changed.
    void palChanged(const vellaro::Pal& pal);

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeFirstTime(const Look& look);
    void saveFrame();

    SettingsStore& settings_;
    Appearance& appearance_;
    FrameAutosave autosave_;
    SettingsStore::ObserverToken observer_ = 0;
    Pal pal_;
    ColorScheme scheme_ = ColorScheme::light;
    bool applied_ = false;
    bool shown_ = false; // a frame never shown is not worth keeping
};

} // namespace vellaro
