#pragma once

#include <QString>
#include <QUrl>

namespace vellaro {

// Opening files and web addresses with the user's programs, and showing a
// file in the file manager. Main thread; nothing here waits.
class Desktop {
public:
    virtual ~Desktop() = default;

    // The installed desktop; the freedesktop one unless another was
    // installed first. Tests install fakes this way.
    static Desktop& shared();
    // Installs `desktop` (not owned); nullptr goes back to the real one.
    static void setShared(Desktop* desktop);

    // Opens a file or web address with its default program.
    virtual void open(const QUrl& url) = 0;
    // Shows the file selected in the file manager, else opens its folder.
    virtual void reveal(const QString& path) = 0;
};

} // namespace vellaro
