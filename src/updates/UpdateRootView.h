#pragma once

#include "model/Pal.h"
#include "platform/session/ColorScheme.h"
#include "updates/UpdatePhase.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QVBoxLayout;

namespace vellaro {

class ProgressCapsule;
class UpdateButton;
class UpdateControls;
class UpdateViewModel;

// The update window's content: one screen per phase of the model, rebuilt
// when the screen changes and updated in place while a download or an
// unpacking runs. Its buttons take their reply out of the model and call
// it once; the dismissing ones then hide the window. 460 px wide, as high
// as the screen needs.
class UpdateRootView : public QWidget {
    Q_OBJECT

public:
    static constexpr int windowWidth = 460;

    UpdateRootView(UpdateViewModel& model, UpdateControls& controls, const QUrl& website,
                   std::function<void()> orderOut, QWidget* parent = nullptr);

    void setAppearance(const Pal& pal, ColorScheme scheme);
    const Pal& pal() const { return pal_; }

    // What is on screen, for tests.
    QString title() const;
    QString subtitle() const;
    ProgressCapsule* capsule() const { return capsule_; }
    QCheckBox* checkbox() const { return checkbox_; }
    UpdateButton* primaryButton() const { return primary_; }
    UpdateButton* button(const QString& title) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString screenKey() const;
    void refresh();
    void rebuild();
    void updateFigures();
    QString titleText() const;
    QString subtitleText() const;
    std::optional<double> fraction() const;
    QWidget* header();
    UpdateButton* addButton(QLayout* row, bool primary, const QString& title,
                            std::function<void()> action);
    QCheckBox* makeCheckbox();
    void orderOutAfter(const std::function<void()>& action);

    UpdateViewModel& model_;
    UpdateControls& controls_;
    QUrl website_;
    std::function<void()> orderOut_;
    Pal pal_;
    ColorScheme scheme_ = ColorScheme::light;
    QWidget* screen_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
    ProgressCapsule* capsule_ = nullptr;
    QCheckBox* checkbox_ = nullptr;
    UpdateButton* primary_ = nullptr;
    QString builtKey_;
};

} // namespace vellaro
