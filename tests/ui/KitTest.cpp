#include "support/FakeAppearance.h"
#include "support/ManualScheduler.h"
#include "ui/KitSwitch.h"
#include "ui/SliderMath.h"
#include "ui/VelAdvanced.h"
#include "ui/VelChipButton.h"
#include "ui/VelSeg.h"
#include "ui/VelSliderRow.h"
#include "ui/VelToggleRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vellaro {
namespace {

const Pal& pal() {
    return Pal::light();
}

QImage render(QWidget& widget) {
    if (!widget.testAttribute(Qt::WA_Resized))
        widget.resize(widget.sizeHint());
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Pointer input at a widget point; drags carry the held button.
void press(QWidget& w, QPointF p) {
    QMouseEvent event(QEvent::MouseButtonPress, p, w.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}
void moveHeld(QWidget& w, QPointF p) {
    QMouseEvent event(QEvent::MouseMove, p, w.mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}
void release(QWidget& w, QPointF p) {
    QMouseEvent event(QEvent::MouseButtonRelease, p, w.mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}
void click(QWidget& w, QPointF p) {
    press(w, p);
    release(w, p);
}

TEST(SliderMath, ValueAtAPosition) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double x, width, lower, upper, step, expected;
    } cases[] = {
        {65, 130, 50, 300, 10, 180},  // 175 → 17.5 rounds away from zero
        {-40, 130, 50, 300, 10, 50},  // beyond the start
        {900, 130, 50, 300, 10, 300}, // beyond the end
        {0, 130, 3, 100, 10, 3},      // rounding to 0 would leave the range
        {130, 130, 0, 95, 10, 95},    // rounding to 100 would leave it too
        {inf, 130, 50, 300, 25, 50},  {std::nan(""), 130, 50, 300, 25, 50},
        {65, 0, 50, 300, 25, 50}, // an unlaid slider
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " range " << c.lower << "…" << c.upper);
        EXPECT_EQ(SliderMath::valueAt(c.x, c.width, c.lower, c.upper, c.step), c.expected);
    }
}

TEST(SliderMath, BadgeTruncatesAndSurvivesAnyValue) {
    struct Case {
        double value;
        QString text;
    } cases[] = {
        {19.9, "19 ms"},
        {-19.9, "-19 ms"},
        {120, "120 ms"},
        {1e300, "2147483647 ms"},
        {-std::numeric_limits<double>::infinity(), "-2147483648 ms"},
        {std::nan(""), "0 ms"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SliderMath::badgeText(c.value, "ms"), c.text);
    EXPECT_EQ(SliderMath::fraction(std::nan(""), 0, 10), 0);
    EXPECT_EQ(SliderMath::fraction(-5, 0, 10), -0.5);
}

TEST(SliderRow, ReportsOnlyNewSteppedValues) {
    VelSliderRow row(pal(), "Hover intent", 120, {50, 300, 10}, "ms");
    row.resize(400, 30);
    QSignalSpy values(&row, &VelSliderRow::valueChanged);
    const QRectF slider = row.sliderRect();
    press(row, {slider.left() + slider.width() / 2, slider.center().y()});
    for (double dx : {0.1, 0.2, 0.3})
        moveHeld(row, {slider.left() + slider.width() / 2 + dx, slider.center().y()});
    moveHeld(row, {slider.right() + 100, slider.center().y()});
    release(row, {slider.right() + 100, slider.center().y()});
    ASSERT_EQ(values.size(), 2);
    EXPECT_EQ(values[0][0].toDouble(), 180);
    EXPECT_EQ(values[1][0].toDouble(), 300);
}

TEST(SliderRow, NonFiniteAndOutOfRangeValuesDrawWithoutHarm) {
    for (double value : {std::nan(""), std::numeric_limits<double>::infinity(), -1e308, 1e308}) {
        VelSliderRow row(pal(), "Hold", value, {50, 300, 10}, "ms");
        row.resize(400, 30);
        EXPECT_FALSE(render(row).isNull());
    }
}

int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

TEST(ChipButton, LooksByState) {
    struct Case {
        const char* name;
        VelChipButton::Look look;
        bool accentBorder;
        QColor text;
    } cases[] = {
        {"resting", {.label = "██████"}, false, pal().ink},
        {"active", {.active = true, .label = "██████"}, true, pal().accent},
        {"danger and active",
         {.active = true, .danger = true, .label = "██████"},
         true,
         VelChipButton::dangerColor()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VelChipButton chip(pal(), c.look);
        const QImage image = render(chip);
        const QRectF r = chip.chipRect();
        // The stroke runs just inside the edge, halfway down the left side.
        const QColor edge = image.pixelColor(int(r.left()), int(r.center().y()));
        EXPECT_EQ(distance(edge, pal().accent) < 40, c.accentBorder) << edge.name().toStdString();
        // The label's block glyphs show the text colour.
        const QColor text = image.pixelColor(int(r.center().x()), int(r.center().y()));
        EXPECT_LT(distance(text, c.text), 40) << text.name().toStdString();
    }
}

TEST(ChipButton, DisabledShowsFaintAndIgnoresClicks) {
    VelChipButton on(pal(), {.label = "Undo"});
    VelChipButton off(pal(), {.disabled = true, .label = "Undo"});
    const QImage a = render(on), b = render(off);
    const QPoint fill(int(on.chipRect().left()) + 5, int(on.chipRect().center().y()));
    EXPECT_NEAR(b.pixelColor(fill).alpha(), a.pixelColor(fill).alpha() * 0.4, 3);
    const QPoint middle = on.chipRect().center().toPoint();
    QSignalSpy clicks(&off, &VelChipButton::clicked);
    click(off, middle);
    EXPECT_EQ(clicks.size(), 0);
    QSignalSpy onClicks(&on, &VelChipButton::clicked);
    click(on, middle);
    EXPECT_EQ(onClicks.size(), 1);
    // Without a symbol the label starts right after the padding.
    EXPECT_EQ(on.sizeHint().width(),
              VelChipButton(pal(), {.label = "Undo", .symbol = ""}).sizeHint().width());
    EXPECT_GT(VelChipButton(pal(), {.label = "Undo", .symbol = "bolt"}).sizeHint().width(),
              on.sizeHint().width());
}

TEST(Seg, ReportsEveryClickAndShowsOnlyAnEqualOption) {
    VelSeg seg(pal(), {"Small", "Standard", "Large"}, "Medium");
    QSignalSpy chosen(&seg, &VelSeg::chosen);
    const QImage none = render(seg);
    // No option selected: no accent fill anywhere in the middle option.
    const QPoint corner = seg.optionRect(1).topLeft().toPoint() + QPoint(3, 3);
    EXPECT_NE(none.pixelColor(corner), pal().accentSoft);
    seg.setSelected("Standard");
    click(seg, seg.optionRect(1).center());
    click(seg, seg.optionRect(1).center());
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[1][0].toString(), "Standard");
    EXPECT_NE(render(seg).pixelColor(corner), none.pixelColor(corner));
}

TEST(Seg, ChoosesOnlyWhenPressAndReleaseFallOnTheSameOption) {
    VelSeg seg(pal(), {"Small", "Standard", "Large"}, "Standard");
    seg.resize(seg.sizeHint());
    struct Case {
        int pressOn, releaseOn;
        QString chosen; // empty: nothing
    } cases[] = {{0, 0, "Small"}, {0, 2, ""}, {2, 1, ""}, {2, 2, "Large"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressOn * 10 + c.releaseOn);
        QSignalSpy chosen(&seg, &VelSeg::chosen);
        press(seg, seg.optionRect(c.pressOn).center());
        moveHeld(seg, seg.optionRect(c.releaseOn).center());
        release(seg, seg.optionRect(c.releaseOn).center());
        ASSERT_EQ(chosen.size(), c.chosen.isEmpty() ? 0 : 1);
        if (!c.chosen.isEmpty()) {
            EXPECT_EQ(chosen[0][0].toString(), c.chosen);
        }
    }
}

TEST(Kit, ControlsAreReachedAndPressedFromTheKeyboard) {
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* field = new QLineEdit;
    auto* chip = new VelChipButton(pal(), {.label = "Undo"});
    auto* seg = new VelSeg(pal(), {"Small", "Standard", "Large"}, "Standard");
    auto* control = new KitSwitch(pal(), false, std::nullopt);
    auto* advanced = new VelAdvanced(pal(), false, "summary", new QLabel("inside"));
    for (QWidget* w : std::initializer_list<QWidget*>{field, chip, seg, control, advanced})
        column->addWidget(w);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();

    // A click never moves the focus to a control.
    click(*chip, chip->chipRect().center());
    EXPECT_TRUE(field->hasFocus());

    QSignalSpy clicks(chip, &VelChipButton::clicked);
    const QImage plain = chip->grab().toImage();
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(chip->hasFocus());
    // The ring shows around the chip, outside its body.
    const QPoint ringAt(int(chip->chipRect().left()) - 2, int(chip->chipRect().center().y()));
    EXPECT_NE(chip->grab().toImage().pixelColor(ringAt), plain.pixelColor(ringAt));
    QTest::keyClick(chip, Qt::Key_Space);
    QTest::keyClick(chip, Qt::Key_Return);
    EXPECT_EQ(clicks.size(), 2);

    QSignalSpy chosen(seg, &VelSeg::chosen);
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(seg->hasFocus());
    EXPECT_EQ(seg->focusedOption(), 1) << "the ring starts on the selection";
    QTest::keyClick(seg, Qt::Key_Right);
    QTest::keyClick(seg, Qt::Key_Right); // already the last
    QTest::keyClick(seg, Qt::Key_Left);
    QTest::keyClick(seg, Qt::Key_Space);
    ASSERT_EQ(chosen.size(), 3);
    EXPECT_EQ(chosen[0][0].toString(), "Large");
    EXPECT_EQ(chosen[1][0].toString(), "Standard");
    EXPECT_EQ(chosen[2][0].toString(), "Standard");

    QSignalSpy toggled(control, &KitSwitch::toggled);
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(control->hasFocus());
    QTest::keyClick(control, Qt::Key_Space);
    ASSERT_EQ(toggled.size(), 1);
    EXPECT_TRUE(toggled[0][0].toBool());

    QSignalSpy opened(advanced, &VelAdvanced::toggled);
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(advanced->hasFocus());
    QTest::keyClick(advanced, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 1);
    QTest::keyClick(&window, Qt::Key_Backtab);
    EXPECT_TRUE(control->hasFocus());
}

TEST(Kit, NarrowColumnsKeepEveryControlInside) {
    VelSeg seg(pal(), {"System", "Light", "Dark", "Charcoal", "Custom"}, "Light");
    ASSERT_LT(seg.minimumSizeHint().width(), seg.sizeHint().width());
    QSignalSpy chosen(&seg, &VelSeg::chosen);
    for (const QSize size : {seg.sizeHint(), seg.minimumSizeHint()}) {
        seg.resize(size);
        EXPECT_LE(seg.optionRect(4).right(), seg.width()) << size.width();
        click(seg, seg.optionRect(4).center());
    }
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[1][0].toString(), "Custom");

    // The slider gives way to the label, and still spans its whole range.
    VelSliderRow row(pal(), "Hover intent", 120, {50, 300, 10}, "ms");
    row.resize(240, 30);
    const QRectF slider = row.sliderRect();
    EXPECT_LT(slider.width(), VelSliderRow::sliderWidth);
    EXPECT_GE(slider.width(), VelSliderRow::narrowestSlider);
    EXPECT_LT(slider.right(), row.badgeRect().left());
    QSignalSpy values(&row, &VelSliderRow::valueChanged);
    press(row, {slider.left(), slider.center().y()});
    moveHeld(row, {slider.right(), slider.center().y()});
    release(row, {slider.right(), slider.center().y()});
    ASSERT_EQ(values.size(), 2);
    EXPECT_EQ(values[0][0].toDouble(), 50);
    EXPECT_EQ(values[1][0].toDouble(), 300);
}

TEST(ToggleRow, ClickAsksForTheNegatedValueAndTheKnobSlidesOnTheClock) {
    test::ManualScheduler scheduler;
    test::FakeAppearance appearance;
    VelToggleRow row(pal(), "Launch at login", std::nullopt, false,
                     KitMotion::Services{scheduler, appearance});
    row.resize(300, 40);
    QSignalSpy toggled(&row, &VelToggleRow::toggled);
    KitSwitch& control = row.switchControl();
    click(control, control.trackRect().center());
    ASSERT_EQ(toggled.size(), 1);
    EXPECT_TRUE(toggled[0][0].toBool());
    EXPECT_FALSE(row.isOn()) << "the caller owns the value";

    const double off = control.knobCenter().x();
    row.setOn(true);
    EXPECT_EQ(control.knobCenter().x(), off);
    scheduler.advance(std::chrono::milliseconds(500));
    EXPECT_EQ(control.knobCenter().x(), off + 18);

    appearance.motion = true; // Reduce Motion: it jumps
    row.setOn(false);
    EXPECT_EQ(control.knobCenter().x(), off);
}

TEST(Advanced, HeaderClickAsksToOpenAndContentFollows) {
    auto* content = new QLabel("inside");
    VelAdvanced card(pal(), false, "120 ms · 300 ms", content);
    card.resize(320, card.sizeHint().height());
    card.show();
    QSignalSpy toggled(&card, &VelAdvanced::toggled);
    click(card, card.headerRect().center());
    ASSERT_EQ(toggled.size(), 1);
    EXPECT_TRUE(toggled[0][0].toBool());
    EXPECT_FALSE(content->isVisible());
    card.setOpen(true);
    EXPECT_TRUE(content->isVisible());
    EXPECT_EQ(card.openness(), 1) << "without motion it jumps";
}

TEST(Advanced, ChevronTurnsOnTheClockAndJumpsUnderReduceMotion) {
    test::ManualScheduler scheduler;
    test::FakeAppearance appearance;
    VelAdvanced card(pal(), false, "summary", new QLabel("inside"),
                     KitMotion::Services{scheduler, appearance});
    card.setOpen(true);
    EXPECT_EQ(card.openness(), 0);
    scheduler.advance(std::chrono::milliseconds(120));
    EXPECT_GT(card.openness(), 0);
    EXPECT_LT(card.openness(), 1);
    scheduler.advance(std::chrono::milliseconds(200));
    EXPECT_EQ(card.openness(), 1);
    appearance.motion = true;
    card.setOpen(false);
    EXPECT_EQ(card.openness(), 0);
}

} // namespace
} // namespace vellaro
