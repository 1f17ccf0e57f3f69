#pragma once

#include "model/MaterialChoice.h"
#include "model/SectionKind.h"
#include "model/ThemeChoice.h"

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace vellaro::dialshot {

// One picture of the dial.
struct Shot {
    enum class State { root, hover, submenu };

    std::vector<SectionKind> sections = standardSections();
    State state = State::root;
    int section = 0;         // hovered (hover) or open (submenu) section
    std::optional<int> item; // hovered fan item (submenu)
    ThemeChoice theme = ThemeChoice::pearl;
    bool darkDesktop = false;
    MaterialChoice material = MaterialChoice::frost;
    double scale = 1.0;
    double pixelRatio = 2.0;
    bool labels = true;
    std::optional<double> time; // seconds after opening; none: settled
    int items = 6;
    bool desktopBackdrop = true;
    // The program's own sections (recent files, sound devices, ...) instead
    // of samples; they are given a moment to read what they show.
    bool live = false;
    // Fan items of the open section chosen before the picture, for the
    // states they switch (Keep Awake, Mute Mic); each is given a moment.
    std::vector<int> choose;
};

QImage render(const Shot& shot);

// The reference set: every theme in every material, an open fan of eight
// with a hovered item, and the bloom at 0, 0.05, 0.11 and 0.22 s. Returns how
// many images were written.
int writeStandardSet(const QString& folder);

} // namespace vellaro::dialshot
