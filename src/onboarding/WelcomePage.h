#pragma once

#include "model/Pal.h"

#include <QWidget>
#include <functional>

namespace vellaro {

// The first page: one sentence about the program and the button that starts.
class WelcomePage : public QWidget {
    Q_OBJECT
public:
    WelcomePage(const Pal& pal, std::function<void()> onDone, QWidget* parent = nullptr);
};

} // namespace vellaro
