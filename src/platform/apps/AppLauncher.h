#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace vellaro {

// Starts an application from its desktop entry. Main thread; nothing waits
// for the program.
class AppLauncher {
public:
    virtual ~AppLauncher() = default;

    // Starts the program; false with `error` set when it could not be started.
    virtual bool launch(const DesktopEntry& entry, QString* error) = 0;

    // Starts the program with these documents (files or URLs), also when it
    // runs already. Unless `activates`, asks that its window not take the
    // focus, where the program's toolkit listens. A launcher that cannot pass
    // documents refuses them.
    virtual bool open(const DesktopEntry& entry, const QList<QUrl>& documents, bool /*activates*/,
                      QString* error) {
        if (documents.isEmpty())
            return launch(entry, error);
        if (error)
            *error = QStringLiteral("this launcher cannot open documents");
        return false;
    }
};

} // namespace vellaro
