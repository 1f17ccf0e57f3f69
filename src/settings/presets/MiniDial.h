#pragma once

#include "model/SectionKind.h"
#include "ui/KitWidget.h"

#include <vector>

namespace vellaro {

// A miniature of the dial: its wedges and core at 16 % ink, optionally with
// each section's symbol. It shows how many sections there are and where, not
// which. Square; takes no input.
class MiniDial : public KitWidget {
    Q_OBJECT
public:
    MiniDial(const Pal& pal, std::vector<SectionKind> sections, bool showsIcons,
             QWidget* parent = nullptr);

    void setSections(std::vector<SectionKind> sections);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<SectionKind> sections_;
    bool showsIcons_;
};

} // namespace vellaro
