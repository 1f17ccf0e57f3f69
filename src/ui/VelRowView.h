#pragma once

#include "ui/KitWidget.h"

#include <optional>

namespace vellaro {

// The kit's labelled row: label and optional caption, then the caller's
// trailing control unchanged.
class VelRowView : public KitWidget {
    Q_OBJECT
public:
    VelRowView(const Pal& pal, const QString& label, std::optional<QString> caption,
               QWidget* trailing, QWidget* parent = nullptr);
};

} // namespace vellaro
