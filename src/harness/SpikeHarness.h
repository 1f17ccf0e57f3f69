#pragma once

#include <QString>

namespace vellaro {

// The window-matching harness run from the command line. Each run returns the
// process's exit status.
class SpikeHarness {
public:
    virtual ~SpikeHarness() = default;
    virtual bool isAvailable() const = 0;
    virtual int capture(const QString& path) = 0;
    virtual int match(const QString& capturePath) = 0;
};

} // namespace vellaro
