#pragma once

namespace vellaro {

// The settings console as the shell reaches it.
class SettingsConsole {
public:
    virtual ~SettingsConsole() = default;
    virtual bool isAvailable() const = 0;
    virtual void show() = 0;
};

} // namespace vellaro
