#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;

namespace vellaro {

// The capture prompt's window: a heading, what capturing keeps, the name
// field and Cancel / Capture. Capture is disabled while the name is blank;
// Return captures, Escape cancels. The title-bar close button only hides it.
class CaptureNameView : public QWidget {
public:
    using CaptureHandler = std::function<void(const QString& name)>;
    using CancelHandler = std::function<void()>;

    static constexpr int fixedWidth = 360;

    CaptureNameView(const QString& name, CaptureHandler onCapture, CancelHandler onCancel);

    QLineEdit* nameField() const { return nameField_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* captureButton() const { return capture_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* nameField_;
    QPushButton* cancel_;
    QPushButton* capture_;
};

} // namespace vellaro
