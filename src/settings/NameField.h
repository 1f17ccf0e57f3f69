#pragma once

#include "model/Pal.h"

#include <QLineEdit>

namespace vellaro {

// A borderless one-line field in the panel's colours, its text plain.
class NameField : public QLineEdit {
    Q_OBJECT
public:
    NameField(const Pal& pal, const QString& placeholder, double points, QWidget* parent = nullptr);
};

} // namespace vellaro
