#pragma once

#include "clipboard/SourceApplication.h"

#include <QObject>
#include <optional>

namespace vellaro {

// The application of the active window, as the clipboard history credits
// copies. Main thread.
class FrontApplication : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual std::optional<SourceApplication> current() const = 0;

Q_SIGNALS:
    // The active window moved to another application: `previous` was
    // deactivated.
    void changed(const std::optional<vellaro::SourceApplication>& previous,
                 const std::optional<vellaro::SourceApplication>& current);
};

} // namespace vellaro
