#include "platform/layers/Layer.h"

#include "platform/layers/LayerTree.h"
#include "platform/layers/Logging.h"
#include "platform/layers/Transaction.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vellaro {

namespace {

bool isFinite(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, double>)
                return std::isfinite(v);
            else if constexpr (std::is_same_v<T, QPointF>)
                return std::isfinite(v.x()) && std::isfinite(v.y());
            else if constexpr (std::is_same_v<T, QRectF>)
                return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.width()) &&
                       std::isfinite(v.height());
            else if constexpr (std::is_same_v<T, QTransform>)
                return std::isfinite(v.m11()) && std::isfinite(v.m12()) && std::isfinite(v.m21()) &&
                       std::isfinite(v.m22()) && std::isfinite(v.dx()) && std::isfinite(v.dy());
            else
                return true;
        },
        value);
}

double secondsBetween(Scheduler::TimePoint from, Scheduler::TimePoint to) {
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

Layer::Layer() = default;

Layer::~Layer() {
    for (const Ptr& sublayer : sublayers_)
        sublayer->superlayer_ = nullptr;
    if (mask_)
        mask_->maskOwner_ = nullptr;
}

// MARK: tree

LayerTree* Layer::tree() const {
    for (const Layer* layer = this; layer;
         layer = layer->superlayer_ ? layer->superlayer_ : layer->maskOwner_) {
        if (layer->tree_)
            return layer->tree_;
    }
    return nullptr;
}

std::optional<Layer::TimePoint> Layer::now() const {
    if (LayerTree* t = tree())
        return t->scheduler().now();
    return std::nullopt;
}

void Layer::changed() const {
    if (LayerTree* t = tree())
        t->notifyChanged();
}

bool Layer::isAncestorOf(const Layer* layer) const {
    for (const Layer* l = layer; l; l = l->superlayer_ ? l->superlayer_ : l->maskOwner_) {
        if (l == this)
            return true;
    }
    return false;
}

void Layer::addSublayer(Ptr layer) {
    const std::size_t end = sublayers_.size();
    insertSublayer(std::move(layer), end);
}

void Layer::insertSublayer(Ptr layer, std::size_t index) {
    if (!layer || layer->isAncestorOf(this) || layer->maskOwner_ || layer->tree_) {
        qCWarning(lcLayers) << "Refusing to add a layer into its own subtree, a mask or a root";
        return;
    }
    layer->removeFromSuperlayer();
    index = std::min(index, sublayers_.size());
    layer->superlayer_ = this;
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), std::move(layer));
    changed();
}

void Layer::removeFromSuperlayer() {
    Layer* parent = superlayer_;
    if (!parent)
        return;
    auto it = std::find_if(parent->sublayers_.begin(), parent->sublayers_.end(),
                           [this](const Ptr& p) { return p.get() == this; });
    // Keep this layer alive until we are done with it.
    Ptr self = it != parent->sublayers_.end() ? std::move(*it) : nullptr;
    if (it != parent->sublayers_.end())
        parent->sublayers_.erase(it);
    superlayer_ = nullptr;
    parent->changed();
}

void Layer::removeAllSublayers() {
    std::vector<Ptr> removed;
    removed.swap(sublayers_);
    for (const Ptr& layer : removed)
        layer->superlayer_ = nullptr;
    if (!removed.empty())
        changed();
}

Layer::Ptr Layer::sublayerNamed(QStringView name) const {
    for (const Ptr& layer : sublayers_) {
        if (layer->name_ == name)
            return layer;
    }
    return nullptr;
}

// MARK: properties

void Layer::setValue(LayerProperty property, const PropertyValue& value) {
    const PropertyValue current = model_.get(property);
    if (current.index() != value.index() || !isFinite(value)) {
        qCWarning(lcLayers) << "Ignoring an invalid value for" << propertyName(property);
        return;
    }
    if (current == value)
        return;
    const QString key(propertyName(property));
    const std::optional<TimePoint> time = now();
    if (Transaction::actionsDisabled()) {
        removeAnimation(key);
    } else if (time && Transaction::currentDuration() > 0.0) {
        const PropertyValue shown = presentation(*time).get(property);
        if (shown != value) {
            BasicAnimation implicit{property, shown, std::nullopt, Transaction::currentDuration(),
                                    Transaction::currentTimingFunction()};
            std::erase_if(animations_, [&](const Running& r) { return r.key == key; });
            animations_.push_back({key, implicit, shown, *time});
        }
    }
    model_.set(property, value);
    changed();
}

void Layer::setBounds(const QRectF& bounds) {
    setValue(LayerProperty::Bounds, bounds);
}
void Layer::setPosition(QPointF position) {
    setValue(LayerProperty::Position, position);
}
void Layer::setAnchorPoint(QPointF unitPoint) {
    setValue(LayerProperty::AnchorPoint, unitPoint);
}
void Layer::setTransform(const QTransform& transform) {
    setValue(LayerProperty::Transform, transform);
}
void Layer::setOpacity(double opacity) {
    setValue(LayerProperty::Opacity, opacity);
}
void Layer::setShadowColor(const QColor& color) {
    setValue(LayerProperty::ShadowColor, color.isValid() ? color : QColor(0, 0, 0, 0));
}
void Layer::setShadowOpacity(double opacity) {
    setValue(LayerProperty::ShadowOpacity, opacity);
}
void Layer::setShadowRadius(double radius) {
    setValue(LayerProperty::ShadowRadius, std::max(radius, 0.0));
}
void Layer::setShadowOffset(QPointF offset) {
    setValue(LayerProperty::ShadowOffset, offset);
}

QRectF Layer::frame() const {
    return model_.toSuperlayer().mapRect(model_.bounds);
}

void Layer::setFrame(const QRectF& frame) {
    const QRectF normalized = frame.normalized();
    setBounds(QRectF(model_.bounds.topLeft(), normalized.size()));
    setPosition(normalized.topLeft() + QPointF(model_.anchorPoint.x() * normalized.width(),
                                               model_.anchorPoint.y() * normalized.height()));
}

void Layer::setHidden(bool hidden) {
    if (hidden_ == hidden)
        return;
    hidden_ = hidden;
    changed();
}

void Layer::setShadowPath(std::optional<QPainterPath> path) {
    shadowPath_ = std::move(path);
    changed();
}

void Layer::setMask(Ptr mask) {
    if (mask && (mask->superlayer_ || mask->tree_ ||
                 (mask->maskOwner_ && mask->maskOwner_ != this) || mask->isAncestorOf(this))) {
        qCWarning(lcLayers) << "Refusing a mask that is already placed elsewhere";
        return;
    }
    if (mask_)
        mask_->maskOwner_ = nullptr;
    mask_ = std::move(mask);
    if (mask_)
        mask_->maskOwner_ = this;
    changed();
}

// MARK: animations

void Layer::addAnimation(const QString& key, const BasicAnimation& animation) {
    const PropertyValue model = model_.get(animation.property);
    const auto fits = [&](const std::optional<PropertyValue>& v) {
        return !v || (v->index() == model.index() && isFinite(*v));
    };
    if (!std::isfinite(animation.duration) || animation.duration <= 0.0 || !fits(animation.from) ||
        !fits(animation.to)) {
        qCWarning(lcLayers) << "Ignoring animation" << key << "with a bad duration or value";
        return;
    }
    const std::optional<TimePoint> time = now();
    PropertyValue from = animation.from
                             ? *animation.from
                             : (time ? presentation(*time) : model_).get(animation.property);
    std::erase_if(animations_, [&](const Running& r) { return r.key == key; });
    animations_.push_back({key, animation, std::move(from), time});
    changed();
}

void Layer::removeAnimation(const QString& key) {
    if (std::erase_if(animations_, [&](const Running& r) { return r.key == key; }) > 0)
        changed();
}

void Layer::removeAllAnimations() {
    if (animations_.empty())
        return;
    animations_.clear();
    changed();
}

QStringList Layer::animationKeys() const {
    QStringList keys;
    for (const Running& r : animations_)
        keys.append(r.key);
    return keys;
}

const BasicAnimation* Layer::animation(const QString& key) const {
    for (const Running& r : animations_) {
        if (r.key == key)
            return &r.animation;
    }
    return nullptr;
}

void Layer::applyAnimations(LayerValues& values, TimePoint now) const {
    for (Running& r : animations_) {
        if (!r.begin)
            r.begin = now;
        const double fraction = secondsBetween(*r.begin, now) / r.animation.duration;
        if (fraction >= 1.0)
            continue;
        const double progress = r.animation.timing.valueAt(std::max(fraction, 0.0));
        const PropertyValue to =
            r.animation.to ? *r.animation.to : model_.get(r.animation.property);
        values.set(r.animation.property, interpolate(r.from, to, progress));
    }
}

LayerValues Layer::presentation(TimePoint now) const {
    LayerValues values = model_;
    if (!animations_.empty())
        applyAnimations(values, now);
    return values;
}

LayerValues Layer::presentation() const {
    const std::optional<TimePoint> time = now();
    return time ? presentation(*time) : model_;
}

bool Layer::settleAnimations(TimePoint now) {
    const auto ended = [now](Running& r) {
        if (!r.begin)
            r.begin = now;
        return secondsBetween(*r.begin, now) >= r.animation.duration;
    };
    std::erase_if(animations_, ended);
    return !animations_.empty();
}

// MARK: hit testing and drawing hooks

Layer* Layer::hitTest(QPointF point) {
    if (hidden_)
        return nullptr;
    bool invertible = false;
    const QTransform toLocal = model_.toSuperlayer().inverted(&invertible);
    if (!invertible)
        return nullptr;
    const QPointF local = toLocal.map(point);
    for (auto it = sublayers_.rbegin(); it != sublayers_.rend(); ++it) {
        if (Layer* hit = (*it)->hitTest(local))
            return hit;
    }
    return contains(local) ? this : nullptr;
}

bool Layer::contains(QPointF point) const {
    return model_.bounds.contains(point);
}

void Layer::paintContents(QPainter&, const LayerValues&, bool) const {}

QRectF Layer::contentsExtent(const LayerValues&) const {
    return {};
}

} // namespace vellaro
