#pragma once

#include "platform/layers/LayerRenderer.h"
#include "platform/layers/LayerTree.h"

#include <QWidget>
#include <optional>

namespace vellaro {

// A widget that shows a layer tree. Its root layer always covers the widget.
// Any change repaints; while animations run it repaints about 60 times a
// second on the scheduler, and stops ticking once they have all ended.
class LayerHostWidget : public QWidget {
    Q_OBJECT
public:
    explicit LayerHostWidget(Scheduler& scheduler, QWidget* parent = nullptr);
    ~LayerHostWidget() override;

    LayerTree& tree() { return tree_; }
    const Layer::Ptr& rootLayer() const { return tree_.root(); }
    LayerRenderer& renderer() { return renderer_; }

    // Whether a frame tick is pending because animations are running.
    bool isTicking() const { return tick_.has_value(); }

    static constexpr Scheduler::Duration frameInterval() {
        return std::chrono::microseconds(16'667);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleTick();

    Scheduler& scheduler_;
    LayerTree tree_;
    LayerRenderer renderer_;
    std::optional<Scheduler::TaskId> tick_;
};

} // namespace vellaro
