#pragma once

#include "workspaces/RestoreReportContent.h"

#include <QWidget>

namespace vellaro {

// The report's panel: the symbol and the line of text in a capsule with a
// margin around it. It floats above other windows, bypasses the window
// manager and never takes the input focus. With a compositor the capsule is
// translucent over the desktop; without one the window is cut to the capsule
// and drawn opaque.
class RestoreReportView : public QWidget {
public:
    RestoreReportView(const RestoreReportContent& content, bool translucent);

    const RestoreReportContent& content() const { return content_; }
    bool isTranslucent() const { return translucent_; }
    QRect capsuleRect() const;
    QRect symbolRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QFont textFont() const;
    int symbolSize() const;

    RestoreReportContent content_;
    bool translucent_;
};

} // namespace vellaro
