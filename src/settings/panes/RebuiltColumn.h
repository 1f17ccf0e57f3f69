#pragma once

#include "ui/KitWidget.h"

#include <functional>

class QVBoxLayout;

namespace vellaro {

// A column whose content is built afresh from the current data. A rebuild
// asked for inside a click runs after the click's handler returns, so the
// clicked widget is never deleted under it.
class RebuiltColumn : public KitWidget {
    Q_OBJECT
public:
    using Builder = std::function<void(QWidget& body, QVBoxLayout& column)>;

    RebuiltColumn(const Pal& pal, int spacing, QWidget* parent = nullptr);

    void setBuilder(Builder builder);
    // Replaces the content at once.
    void rebuildNow();
    // Replaces it once control is back in the event loop; repeated asks
    // before then rebuild once.
    void rebuildSoon();
    QWidget* body() const { return body_; }

private:
    Builder builder_;
    int spacing_;
    QWidget* body_ = nullptr;
    bool pending_ = false;
};

} // namespace vellaro
