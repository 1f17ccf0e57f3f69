#pragma once

#include "clipboard/FrontApplication.h"

namespace vellaro {

// Reports no application: copies are credited to nobody and none is excluded.
class NoFrontApplication final : public FrontApplication {
public:
    using FrontApplication::FrontApplication;
    std::optional<SourceApplication> current() const override { return std::nullopt; }
};

} // namespace vellaro
