#pragma once

#include <QUrl>

namespace vellaro {

// Updates travel over HTTPS; plain HTTP only to this machine (tests, local
// mirrors). Checked for every address, including each redirect.
class UpdateUrlPolicy {
public:
    static bool allows(const QUrl& url);
};

} // namespace vellaro
