#pragma once

namespace vellaro {

// The updater as the shell reaches it.
class UpdateService {
public:
    virtual ~UpdateService() = default;
    virtual bool isAvailable() const = 0;
    virtual void checkForUpdates() = 0;
};

} // namespace vellaro
