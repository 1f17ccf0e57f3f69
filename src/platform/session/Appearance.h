#pragma once

#include "platform/session/ColorScheme.h"

#include <QObject>

namespace vellaro {

// The desktop's look as far as the program follows it: light or dark, and
// the reduce-motion and reduce-transparency preferences. Main thread.
class Appearance : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The installed appearance; the desktop's own (PortalAppearance) unless
    // something else was installed first.
    static Appearance& shared();
    // Installs `appearance` (not owned) as the shared one; nullptr goes back
    // to the desktop's own. Tests install fakes this way.
    static void setShared(Appearance* appearance);

    virtual ColorScheme colorScheme() const = 0;
    bool isDark() const { return colorScheme() == ColorScheme::dark; }
    virtual bool reduceMotion() const = 0;
    virtual bool reduceTransparency() const = 0;

Q_SIGNALS:
    // Any of the three answers may have changed.
    void changed();
};

} // namespace vellaro
