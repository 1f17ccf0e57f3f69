#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace vellaro {

// What the console's actions pane asks of the actions section.
class ActionsPaneSource {
public:
    virtual ~ActionsPaneSource() = default;

    // The hidden actions as (id, label), in the section's order; IDs that
    // name no action are left out.
    virtual std::vector<std::pair<QString, QString>> hiddenActionList() = 0;
};

} // namespace vellaro
