#pragma once

#include <QString>

#include <functional>

namespace vellaro {

// Tells the person, with one desktop notification per file and start, that
// a file the program could not read was kept aside and where the copy is:
// the log alone goes unseen.
class SetAsideNotice {
public:
    SetAsideNotice() = delete;

    using Poster = std::function<void(const QString& summary, const QString& body)>;

    // Safe from any thread; the notification is posted from the main thread.
    static void tell(const QString& path, const QString& aside);

    static QString text(const QString& path, const QString& aside);

    // Replaces the desktop notification (tests) and forgets what was told;
    // an empty poster restores it.
    static void setPoster(Poster poster);
};

} // namespace vellaro
