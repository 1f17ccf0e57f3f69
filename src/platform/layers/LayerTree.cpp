#include "platform/layers/LayerTree.h"

namespace vellaro {

namespace {

bool settleSubtree(Layer& layer, Scheduler::TimePoint now) {
    bool running = layer.settleAnimations(now);
    if (layer.mask())
        running = settleSubtree(*layer.mask(), now) || running;
    for (const Layer::Ptr& sublayer : layer.sublayers())
        running = settleSubtree(*sublayer, now) || running;
    return running;
}

} // namespace

LayerTree::LayerTree(Scheduler& scheduler)
    : scheduler_(scheduler), root_(std::make_shared<Layer>()) {
    root_->setAnchorPoint({0.0, 0.0});
    root_->tree_ = this;
}

LayerTree::~LayerTree() {
    root_->tree_ = nullptr;
}

void LayerTree::setChangeHandler(std::function<void()> handler) {
    onChange_ = std::move(handler);
}

void LayerTree::notifyChanged() {
    if (onChange_)
        onChange_();
}

bool LayerTree::settleAnimations(Scheduler::TimePoint now) {
    return settleSubtree(*root_, now);
}

} // namespace vellaro
