#include "overlay/RadialScene.h"

#include "model/SymbolCatalog.h"
#include "overlay/DialFont.h"
#include "overlay/DialTiming.h"
#include "overlay/FanLabelLines.h"
#include "overlay/FanTextFit.h"
#include "overlay/PainterPath.h"
#include "platform/layers/ImageLayer.h"
#include "platform/layers/Layer.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"
#include "platform/layers/Transaction.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

constexpr double restyleDuration = 0.14;
// From the top of a title's first line to its second, in points.
constexpr double titleLinePitch = 13;

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(float(alpha));
    return color;
}

QPainterPath circle(QPointF center, double radius) {
    QPainterPath path;
    path.addEllipse(center, radius, radius);
    return path;
}

std::shared_ptr<TextLayer> makeText(const QString& text, const QFont& font) {
    auto layer = std::make_shared<TextLayer>();
    layer->setText(text);
    layer->setFont(font);
    layer->setAlignment(Qt::AlignHCenter);
    layer->setTruncationMode(Qt::ElideRight);
    return layer;
}

void setImage(Layer& layer, const QImage& image) {
    static_cast<ImageLayer&>(layer).setImage(image);
}

// An image layer sized to its bitmap in points, centred on `position`.
std::shared_ptr<ImageLayer> makeIcon(const QImage& image, QPointF position, double rasterScale) {
    auto layer = std::make_shared<ImageLayer>();
    layer->setImage(image);
    layer->setContentsGravity(ContentsGravity::Resize);
    if (!image.isNull())
        layer->setBounds(QRectF(QPointF(0, 0), QSizeF(image.size()) / rasterScale));
    layer->setPosition(position);
    return layer;
}

QPointF qt(Point p) {
    return {p.x, p.y};
}

} // namespace

RadialScene::RadialScene() : root_(std::make_shared<Layer>()) {}

RadialScene::~RadialScene() = default;

Layer* RadialScene::wedgeGroup(int slot) const {
    return slot >= 0 && slot < int(groups_.size()) ? groups_[std::size_t(slot)].group.get()
                                                   : nullptr;
}
Layer* RadialScene::wedgeIcon(int slot) const {
    return wedgeGroup(slot) ? groups_[std::size_t(slot)].icon.get() : nullptr;
}
TextLayer* RadialScene::wedgeLabel(int slot) const {
    return wedgeGroup(slot) ? groups_[std::size_t(slot)].label.get() : nullptr;
}
ShapeLayer* RadialScene::wedgeShape(int slot) const {
    return wedgeGroup(slot) ? groups_[std::size_t(slot)].shape.get() : nullptr;
}

void RadialScene::build(const RadialLayout& layout, const std::vector<Slot>& slots, QSizeF size,
                        double scale, bool showLabels) {
    const auto quiet = Transaction::withoutAnimation();
    root_->removeAllSublayers();
    groups_.clear();
    fanShapes_.clear();
    fanLabels_.clear();
    fanLabelSecondLines_.clear();
    fanParent_.reset();
    fanCount_ = 0;
    active_.reset();
    openSection_.reset();

    layout_ = layout;
    size_ = size;
    scale_ = scale;
    showLabels_ = showLabels;
    center_ = {size.width() / 2, size.height() / 2};
    const QRectF bounds(QPointF(0, 0), size);
    root_->setFrame(bounds);

    fan_ = std::make_shared<Layer>();
    wedges_ = std::make_shared<Layer>();
    coreGroup_ = std::make_shared<Layer>();
    for (const Ptr& container : {fan_, wedges_, coreGroup_}) {
        container->setFrame(bounds);
        root_->addSublayer(container);
    }
    fan_->setHidden(true);

    for (int i = 0; i < int(slots.size()); ++i)
        buildWedge(i, slots[std::size_t(i)]);
    buildCore();
}

void RadialScene::buildWedge(int index, const Slot& slot) {
    const double s = scale_;
    Wedge w;
    w.slot = slot;
    w.angle = layout_->sectionAngle(index);
    const QPainterPath path = toPainterPath(layout_->wedgePath(index, center_));
    const QRectF box = path.boundingRect();
    const QPainterPath local = path.translated(-box.topLeft());

    w.group = std::make_shared<Layer>();
    w.group->setFrame(box);
    w.group->setShadowPath(local);
    w.shape = std::make_shared<ShapeLayer>();
    w.shape->setFrame(QRectF(QPointF(0, 0), box.size()));
    w.shape->setPath(local);
    w.group->addSublayer(w.shape);

    const QPointF centre = qt(layout_->wedgeCenter(index, center_)) - box.topLeft();
    // Raised on screen means toward the top: a smaller y.
    const double raise = (showLabels_ ? 15 : 4) * s;
    w.icon = makeIcon(QImage(), centre - QPointF(0, raise), rasterScale_);
    w.group->addSublayer(w.icon);

    w.label = makeText(slot ? sectionTitle(*slot) : QString(), dialFont(12.5 * s, QFont::Medium));
    w.label->setFrame(QRectF(centre.x() - 44 * s, centre.y() + 9 * s, 88 * s, 17.5 * s));
    w.label->setHidden(!showLabels_ || !slot);
    w.group->addSublayer(w.label);

    if (!slot) {
        w.shape->setLineWidth(1);
        w.shape->setLineDashPattern({4, 4});
        w.group->setShadowOpacity(0);
    }
    wedges_->addSublayer(w.group);
    groups_.push_back(std::move(w));
}

void RadialScene::buildCore() {
    const double s = scale_;
    const QRectF bounds(QPointF(0, 0), size_);
    const QPointF c = qt(center_);

    coreShape_ = std::make_shared<ShapeLayer>();
    coreShape_->setFrame(bounds);
    coreShape_->setPath(circle(c, layout_->coreRadius));
    coreShape_->setLineWidth(1);
    coreShape_->setShadowPath(circle(c, layout_->coreRadius));
    coreShape_->setShadowOpacity(1);
    coreShape_->setShadowRadius(10);
    coreShape_->setShadowOffset({0, 4});
    coreGroup_->addSublayer(coreShape_);

    // The logo mark: a ring open at the upper right with a dot in the gap.
    mark_ = std::make_shared<Layer>();
    mark_->setFrame(bounds);
    const QPointF m = c - QPointF(0, 9 * s);
    const double r = 11 * s;
    auto ring = std::make_shared<ShapeLayer>();
    ring->setName(QStringLiteral("markRing"));
    ring->setFrame(bounds);
    QPainterPath arc;
    arc.arcMoveTo(QRectF(m.x() - r, m.y() - r, 2 * r, 2 * r), 75);
    arc.arcTo(QRectF(m.x() - r, m.y() - r, 2 * r, 2 * r), 75, 300);
    ring->setPath(arc);
    ring->setFillColor(Qt::transparent);
    ring->setLineWidth(1.8 * s);
    ring->setLineCap(Qt::RoundCap);
    auto dot = std::make_shared<ShapeLayer>();
    dot->setName(QStringLiteral("markDot"));
    dot->setFrame(bounds);
    dot->setPath(circle(m + QPointF(0.7071 * r, -0.7071 * r), 3.1 * s));
    brand_ = makeText(QString(), dialFont(8 * s, QFont::DemiBold));
    brand_->setFrame(QRectF(c.x() - 70 * s, c.y() + 11 * s, 140 * s, 11 * s));
    mark_->addSublayer(ring);
    mark_->addSublayer(dot);
    mark_->addSublayer(brand_);
    coreGroup_->addSublayer(mark_);

    // The back sign shown while a fan is open.
    back_ = std::make_shared<Layer>();
    back_->setFrame(bounds);
    back_->setOpacity(0);
    backIcon_ = makeIcon(QImage(), c - QPointF(0, 7 * s), rasterScale_);
    backIcon_->setBounds(QRectF(0, 0, 21 * s, 19 * s));
    auto chevron = makeIcon(QImage(), c + QPointF(-18 * s, 11 * s), rasterScale_);
    chevron->setName(QStringLiteral("chevron"));
    chevron->setBounds(QRectF(0, 0, 6 * s, 10 * s));
    auto backText = makeText(QStringLiteral("Back"), dialFont(8.5 * s, QFont::Medium));
    backText->setName(QStringLiteral("backText"));
    backText->setFrame(QRectF(c.x() + 3 * s - 85, c.y() + 7 * s, 170, 13.5 * s));
    back_->addSublayer(backIcon_);
    back_->addSublayer(chevron);
    back_->addSublayer(backText);
    coreGroup_->addSublayer(back_);
}

QImage RadialScene::symbolImage(const QString& symbol, double pointSize,
                                const QColor& color) const {
    const int pixels = int(std::floor(pointSize * scale_ * rasterScale_));
    if (pixels <= 0)
        return {};
    QImage image = SymbolCatalog::image(symbol, pixels, color);
    if (!image.isNull())
        image.setDevicePixelRatio(rasterScale_);
    return image;
}

void RadialScene::refresh(const Style& style, std::optional<int> active,
                          std::optional<int> selected) {
    if (groups_.empty())
        return;
    style_ = style;
    active_ = active;
    selected_ = selected;
    const VellaroTheme& t = style.theme;
    const double s = scale_;
    const auto quiet = Transaction::withoutAnimation();
    for (int i = 0; i < int(groups_.size()); ++i) {
        Wedge& w = groups_[std::size_t(i)];
        if (!w.slot) {
            w.shape->setFillColor(withAlpha(t.accent, 0.1));
            w.shape->setStrokeColor(withAlpha(t.accent, 0.6));
            continue;
        }
        w.normal = symbolImage(sectionSymbol(*w.slot), 17, t.ink);
        w.active = symbolImage(sectionSymbol(*w.slot), 17, t.inkHover);
        if (!w.normal.isNull())
            w.icon->setBounds(QRectF(QPointF(0, 0), QSizeF(w.normal.size()) / rasterScale_));
        styleWedge(i, active_ == i);
    }

    coreShape_->setFillColor(style.surface.core);
    coreShape_->setStrokeColor(style.surface.stroke);
    coreShape_->setShadowColor(t.shadow);
    auto ring = std::static_pointer_cast<ShapeLayer>(mark_->sublayerNamed(u"markRing"));
    ring->setStrokeColor(t.ink);
    std::static_pointer_cast<ShapeLayer>(mark_->sublayerNamed(u"markDot"))->setFillColor(t.accent);

    QFont brandFont = dialFont(8 * s, QFont::DemiBold);
    brandFont.setLetterSpacing(QFont::AbsoluteSpacing, 2.8 * s);
    brand_->setFont(brandFont);
    brand_->setText(QStringLiteral("VELLARO"));
    brand_->setForegroundColor(t.muted);

    setImage(*back_->sublayerNamed(u"chevron"),
             symbolImage(QStringLiteral("chevron.backward"), 9, t.muted));
    auto backText = std::static_pointer_cast<TextLayer>(back_->sublayerNamed(u"backText"));
    backText->setForegroundColor(t.muted);
    if (openSection_)
        setImage(*backIcon_, symbolImage(sectionSymbol(*openSection_), 18, t.ink));
}

void RadialScene::styleWedge(int slot, bool active) {
    if (slot < 0 || slot >= int(groups_.size()) || !groups_[std::size_t(slot)].slot)
        return;
    Wedge& w = groups_[std::size_t(slot)];
    const VellaroTheme& t = style_.theme;
    const RadialSurface& surface = style_.surface;
    const double s = scale_;
    if (!active) {
        w.group->setTransform(QTransform());
        w.icon->setTransform(QTransform());
        w.group->setShadowColor(t.shadow);
        w.group->setShadowOpacity(1);
        w.group->setShadowRadius(surface.restRadius);
        w.group->setShadowOffset({0, surface.restOffsetY});
        w.shape->setFillColor(surface.fill);
        const bool selected = selected_ == slot;
        w.shape->setStrokeColor(selected ? t.accent : surface.stroke);
        w.shape->setLineWidth(selected ? 1.5 : 1.0);
        setImage(*w.icon, w.normal);
        w.label->setForegroundColor(t.ink);
        return;
    }
    if (style_.reduceMotion) {
        w.group->setTransform(QTransform());
        w.icon->setTransform(QTransform());
    } else {
        // Outward along the wedge's direction: up on screen is -y.
        QTransform lift;
        lift.translate(7 * s * std::sin(w.angle), -7 * s * std::cos(w.angle));
        lift.scale(1.03, 1.03);
        w.group->setTransform(lift);
        w.icon->setTransform(QTransform::fromScale(1.07, 1.07));
    }
    w.group->setShadowColor(t.glow);
    w.group->setShadowOpacity(1);
    w.group->setShadowRadius(13);
    w.group->setShadowOffset({0, 6});
    w.shape->setFillColor(surface.hover);
    w.shape->setStrokeColor(t.accent);
    w.shape->setLineWidth(1.5);
    setImage(*w.icon, w.active);
    w.label->setForegroundColor(t.inkHover);
}

void RadialScene::buildFan(int parent, const std::vector<MenuItem>& items, double offset,
                           bool showLabels) {
    if (parent < 0 || parent >= int(groups_.size()))
        return;
    const auto quiet = Transaction::withoutAnimation();
    fan_->removeAllSublayers();
    fanShapes_.clear();
    fanLabels_.clear();
    fanLabelSecondLines_.clear();
    fanParent_ = parent;
    fanCount_ = int(items.size());
    fanOffset_ = offset;
    const std::vector<QStringList> titles = fanTitleLines(parent, items, offset);
    for (int i = 0; i < fanCount_; ++i)
        buildFanItem(parent, i, fanCount_, items[std::size_t(i)], titles[std::size_t(i)], offset,
                     showLabels);
}

std::vector<QStringList> RadialScene::fanTitleLines(int parent, const std::vector<MenuItem>& items,
                                                    double offset) const {
    const double s = scale_;
    const int count = int(items.size());
    std::vector<QString> titles;
    std::vector<FanLabelLines::Room> rooms;
    for (int i = 0; i < count; ++i) {
        const MenuItem& item = items[std::size_t(i)];
        const QPainterPath path =
            toPainterPath(layout_->fanItemPath(parent, i, count, offset, center_));
        const Point centre = layout_->fanItemCenter(parent, i, count, offset, center_);
        const bool sub = item.sublabel.has_value();
        FanLabelLines::Room room;
        room.oneLine =
            FanTextFit::fit(path, centre.x, centre.y + (sub ? 2 : 7) * s, 16 * s, s).width;
        // Two lines take the subtitle's place.
        if (!sub)
            room.twoLines =
                FanTextFit::fit(path, centre.x, centre.y + 2 * s, (titleLinePitch + 16) * s, s)
                    .width;
        titles.push_back(item.label());
        rooms.push_back(room);
    }
    // Measured as the text layer draws: points taken as layer units.
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    QFont font = dialFont(11 * s, QFont::Medium);
    font.setPointSizeF(font.pointSizeF() * 72.0 / device.logicalDpiY());
    const QFontMetricsF metrics(font, &device);
    // A unit to spare: drawn at a finer pixel ratio a text may come out a little wider.
    return FanLabelLines::fit(titles, rooms, [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text) + 1;
    });
}

QImage RadialScene::itemIcon(const MenuItem& item) const {
    if (item.icon().isSymbol())
        return symbolImage(item.icon().symbolName(), 13.5, style_.theme.ink);
    const QImage source = item.icon().image();
    const int pixels = int(std::floor(26 * scale_ * rasterScale_));
    if (source.isNull() || pixels <= 0)
        return {};
    QImage image = source.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(rasterScale_);
    return image;
}

void RadialScene::buildFanItem(int parent, int index, int count, const MenuItem& item,
                               const QStringList& titleLines, double offset, bool showLabels) {
    const double s = scale_;
    const VellaroTheme& t = style_.theme;
    const QPainterPath path =
        toPainterPath(layout_->fanItemPath(parent, index, count, offset, center_));
    auto shape = std::make_shared<ShapeLayer>();
    shape->setFrame(QRectF(QPointF(0, 0), size_));
    shape->setPath(path);
    shape->setFillColor(style_.surface.fill);
    shape->setStrokeColor(style_.surface.stroke);
    shape->setLineWidth(1);
    shape->setShadowPath(path);
    shape->setShadowColor(t.shadow);
    shape->setShadowOpacity(0.8);
    shape->setShadowRadius(9);
    shape->setShadowOffset({0, 4});
    fan_->addSublayer(shape);
    fanShapes_.push_back(shape);

    const Point centre = layout_->fanItemCenter(parent, index, count, offset, center_);
    const bool symbol = item.icon().isSymbol();
    const bool twoLines = titleLines.size() > 1;
    // A title in two lines sits where a title with a subtitle does.
    const bool sub = item.sublabel.has_value() || twoLines;
    const double raise =
        s * (showLabels ? (symbol ? (sub ? 20 : 13) : (sub ? 22 : 16)) : (symbol ? 2 : 3));
    const QPointF iconCentre(centre.x, centre.y - raise);
    const QImage icon = itemIcon(item);
    if (!icon.isNull())
        fan_->addSublayer(makeIcon(icon, iconCentre, rasterScale_));
    if (item.showsRunningDot) {
        auto dot = std::make_shared<ShapeLayer>();
        dot->setFrame(QRectF(QPointF(0, 0), size_));
        dot->setPath(circle(iconCentre + QPointF(13 * s, 11 * s), 2.5 * s));
        dot->setFillColor(t.accent);
        fan_->addSublayer(dot);
    }

    const double top = centre.y + (sub ? 2 : 7) * s;
    const double bandHeight = (twoLines ? titleLinePitch + 16 : 16) * s;
    const FanTextFit title = FanTextFit::fit(path, centre.x, top, bandHeight, s);
    const auto titleLine = [&](const QString& text, double lineTop) {
        auto line = makeText(text, dialFont(11 * s, QFont::Medium));
        line->setForegroundColor(t.ink);
        line->setFrame(QRectF(title.centerX - title.width / 2, lineTop, title.width, 16 * s));
        line->setHidden(!showLabels);
        fan_->addSublayer(line);
        return line;
    };
    fanLabels_.push_back(titleLine(titleLines.value(0), top));
    fanLabelSecondLines_.push_back(
        twoLines ? titleLine(titleLines.value(1), top + titleLinePitch * s) : nullptr);

    if (item.sublabel) {
        const double subTop = centre.y + 16 * s;
        const FanTextFit fit = FanTextFit::fit(path, centre.x, subTop, 13 * s, s);
        auto subtitle = makeText(*item.sublabel, dialFont(9 * s));
        subtitle->setForegroundColor(t.muted);
        subtitle->setFrame(QRectF(fit.centerX - fit.width / 2, subTop, fit.width, 14 * s));
        subtitle->setHidden(!showLabels);
        fan_->addSublayer(subtitle);
    }
}

void RadialScene::highlightFanItem(std::optional<int> item) {
    Transaction restyle;
    restyle.setDuration(restyleDuration);
    const VellaroTheme& t = style_.theme;
    for (int i = 0; i < int(fanShapes_.size()); ++i) {
        const bool lit = item == i;
        ShapeLayer& shape = *fanShapes_[std::size_t(i)];
        shape.setFillColor(lit ? style_.surface.hover : style_.surface.fill);
        shape.setStrokeColor(lit ? t.accent : style_.surface.stroke);
        shape.setLineWidth(lit ? 1.4 : 1.0);
        fanLabels_[std::size_t(i)]->setForegroundColor(lit ? t.inkHover : t.ink);
        if (const auto& second = fanLabelSecondLines_[std::size_t(i)])
            second->setForegroundColor(lit ? t.inkHover : t.ink);
    }
}

void RadialScene::showFan(bool reveal) {
    {
        const auto quiet = Transaction::withoutAnimation();
        fan_->setHidden(false);
        fan_->setOpacity(1);
    }
    if (!reveal)
        return;
    fan_->removeAllAnimations();
    fan_->addAnimation(fanFadeKey, DialTiming::fade(0.15, DialTiming::easeOut()));
    if (!style_.reduceMotion)
        fan_->addAnimation(fanScaleKey, DialTiming::grow(0.965, 0.15, DialTiming::easeOut()));
}

void RadialScene::hideFan() {
    const auto quiet = Transaction::withoutAnimation();
    fan_->setHidden(true);
}

void RadialScene::releaseHiddenFan() {
    if (!fan_ || isFanShown())
        return;
    const auto quiet = Transaction::withoutAnimation();
    fan_->removeAllSublayers();
    fanShapes_.clear();
    fanLabels_.clear();
    fanLabelSecondLines_.clear();
    fanParent_.reset();
    fanCount_ = 0;
}

bool RadialScene::isFanShown() const {
    return fan_ && !fan_->isHidden();
}

void RadialScene::setCore(std::optional<SectionKind> openSection) {
    openSection_ = openSection;
    Transaction restyle;
    restyle.setDuration(restyleDuration);
    if (openSection)
        setImage(*backIcon_, symbolImage(sectionSymbol(*openSection), 16, style_.theme.ink));
    mark_->setOpacity(openSection ? 0 : 1);
    back_->setOpacity(openSection ? 1 : 0);
}

void RadialScene::bloom() {
    wedges_->removeAllAnimations();
    wedges_->addAnimation(bloomFadeKey, DialTiming::fade(0.22, DialTiming::overshoot()));
    if (!style_.reduceMotion)
        wedges_->addAnimation(bloomScaleKey, DialTiming::grow(0.9, 0.22, DialTiming::overshoot()));
    coreGroup_->removeAllAnimations();
    coreGroup_->addAnimation(bloomFadeKey, DialTiming::fade(0.175, DialTiming::easeOut()));
    if (!style_.reduceMotion)
        coreGroup_->addAnimation(bloomScaleKey,
                                 DialTiming::grow(0.82, 0.175, DialTiming::easeOut()));
}

QPainterPath RadialScene::materialShapes() const {
    QPainterPath shapes;
    shapes.setFillRule(Qt::WindingFill);
    if (!layout_)
        return shapes;
    for (int i = 0; i < int(groups_.size()); ++i)
        shapes.addPath(toPainterPath(layout_->wedgePath(i, center_)));
    shapes.addPath(circle(qt(center_), layout_->coreRadius));
    if (fanParent_ && isFanShown()) {
        const int k = std::max(fanCount_, 1);
        for (int i = 0; i < k; ++i)
            shapes.addPath(
                toPainterPath(layout_->fanItemPath(*fanParent_, i, k, fanOffset_, center_)));
    }
    return shapes;
}

} // namespace vellaro
