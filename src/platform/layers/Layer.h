#pragma once

#include "platform/layers/BasicAnimation.h"
#include "platform/layers/LayerValues.h"
#include "platform/time/Scheduler.h"

#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace vellaro {

class LayerTree;

// A node of the retained layer tree: a rectangle with its own coordinate
// space (its bounds) placed in its superlayer's by position, anchor point and
// transform, y growing downward. Sublayers are drawn in order, each over the
// ones before it. A plain Layer draws nothing itself: it groups, shadows,
// fades, masks and transforms its sublayers.
//
// Setting an animatable property inside a tree animates the change as the
// current Transaction says; outside a tree (not yet added) it never animates.
class Layer {
public:
    using Ptr = std::shared_ptr<Layer>;
    using TimePoint = Scheduler::TimePoint;

    Layer();
    virtual ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    // Tree. Adding a layer takes it from its old superlayer first; adding a
    // layer into itself or its own subtree is refused.
    Layer* superlayer() const { return superlayer_; }
    const std::vector<Ptr>& sublayers() const { return sublayers_; }
    void addSublayer(Ptr layer);
    void insertSublayer(Ptr layer, std::size_t index);
    void removeFromSuperlayer();
    void removeAllSublayers();
    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    // The first direct sublayer with that name.
    Ptr sublayerNamed(QStringView name) const;
    // The tree this layer is shown in, if any.
    LayerTree* tree() const;

    // Geometry, in the superlayer's coordinates.
    QRectF bounds() const { return model_.bounds; }
    void setBounds(const QRectF& bounds);
    QPointF position() const { return model_.position; }
    void setPosition(QPointF position);
    QPointF anchorPoint() const { return model_.anchorPoint; }
    void setAnchorPoint(QPointF unitPoint);
    QTransform transform() const { return model_.transform; }
    void setTransform(const QTransform& transform);
    // The bounds placed in the superlayer; setting it keeps the bounds' origin
    // and sets their size and the position.
    QRectF frame() const;
    void setFrame(const QRectF& frame);

    // Look.
    double opacity() const { return model_.opacity; }
    void setOpacity(double opacity);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);

    // Shadow of the shadow path (shape layers fall back to their own path),
    // drawn under the layer's contents and sublayers; radius is the blur
    // radius, offset in the layer's coordinates (+y is down).
    QColor shadowColor() const { return model_.shadowColor; }
    void setShadowColor(const QColor& color);
    double shadowOpacity() const { return model_.shadowOpacity; }
    void setShadowOpacity(double opacity);
    double shadowRadius() const { return model_.shadowRadius; }
    void setShadowRadius(double radius);
    QPointF shadowOffset() const { return model_.shadowOffset; }
    void setShadowOffset(QPointF offset);
    const std::optional<QPainterPath>& shadowPath() const { return shadowPath_; }
    void setShadowPath(std::optional<QPainterPath> path);

    // The mask's alpha, in this layer's coordinates, limits what the layer
    // and its sublayers show. A mask belongs to one layer and has no
    // superlayer.
    const Ptr& mask() const { return mask_; }
    void setMask(Ptr mask);

    // Explicit animations, by key. Adding under a key in use replaces that
    // animation. Implicit animations live here too, keyed by propertyName().
    void addAnimation(const QString& key, const BasicAnimation& animation);
    void removeAnimation(const QString& key);
    void removeAllAnimations();
    QStringList animationKeys() const;
    const BasicAnimation* animation(const QString& key) const;

    // Values with the animations applied at `now` (the tree's scheduler's
    // now() when omitted; the model values when the layer is in no tree).
    LayerValues presentation(TimePoint now) const;
    LayerValues presentation() const;
    const LayerValues& model() const { return model_; }

    // Whether any animation still runs at `now`; drops those that have ended.
    bool settleAnimations(TimePoint now);

    // The deepest visible layer containing `point` (in the superlayer's
    // coordinates), checking later sublayers first, or nullptr.
    Layer* hitTest(QPointF point);
    // Whether a point in the layer's own coordinates is inside it.
    virtual bool contains(QPointF point) const;

    // Whether any animation is attached (running, or ended and not yet settled).
    bool hasAnimations() const { return !animations_.empty(); }

    // Drawing hooks for the renderer. `values` are the presentation values;
    // `animating` says that this layer or one above it is animating, so the
    // drawing may trade exactness for speed this frame.
    virtual void paintContents(QPainter& painter, const LayerValues& values, bool animating) const;
    // The area the contents cover, in the layer's coordinates.
    virtual QRectF contentsExtent(const LayerValues& values) const;
    virtual QPainterPath fallbackShadowPath() const { return {}; }

protected:
    // Sets a model value, animating the change when the transaction says so.
    void setValue(LayerProperty property, const PropertyValue& value);
    // Tells the tree that something visible changed.
    void changed() const;

private:
    struct Running {
        QString key;
        BasicAnimation animation;
        PropertyValue from;
        std::optional<TimePoint> begin; // stamped on the first frame when added outside a tree
    };

    std::optional<TimePoint> now() const;
    void attachTo(Layer* superlayer);
    bool isAncestorOf(const Layer* layer) const;
    void applyAnimations(LayerValues& values, TimePoint now) const;

    friend class LayerTree;

    LayerValues model_;
    bool hidden_ = false;
    QString name_;
    std::optional<QPainterPath> shadowPath_;
    Ptr mask_;
    Layer* superlayer_ = nullptr;
    Layer* maskOwner_ = nullptr;
    LayerTree* tree_ = nullptr; // only on a tree's root
    std::vector<Ptr> sublayers_;
    mutable std::vector<Running> animations_;
};

} // namespace vellaro
