#pragma once

#include "model/MenuItem.h"

#include <QStringList>
#include <vector>

namespace vellaro::test {

// The items' labels in fan order.
inline QStringList itemLabels(const std::vector<MenuItem>& items) {
    QStringList labels;
    for (const MenuItem& item : items)
        labels << item.label();
    return labels;
}

} // namespace vellaro::test
