#pragma once

#include "platform/layers/Layer.h"

#include <functional>

namespace vellaro {

class Scheduler;

// A root layer and the clock its animations run on. Layers in the tree find
// it through their superlayers; only they animate implicitly.
class LayerTree {
public:
    explicit LayerTree(Scheduler& scheduler);
    ~LayerTree();
    LayerTree(const LayerTree&) = delete;
    LayerTree& operator=(const LayerTree&) = delete;

    const Layer::Ptr& root() const { return root_; }
    Scheduler& scheduler() const { return scheduler_; }

    // Called after every visible change (often several times per turn).
    void setChangeHandler(std::function<void()> handler);

    // Whether any animation in the tree still runs at `now`; drops the ended ones.
    bool settleAnimations(Scheduler::TimePoint now);

private:
    friend class Layer;
    void notifyChanged();

    Scheduler& scheduler_;
    Layer::Ptr root_;
    std::function<void()> onChange_;
};

} // namespace vellaro
