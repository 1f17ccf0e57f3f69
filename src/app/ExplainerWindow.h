#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QHBoxLayout;

namespace vellaro {

// The shared frame of the permission explainers: icon, title, body, status
// line, a row of buttons (Escape presses the first, Return the default one)
// and an optional link below. Closing it with the title-bar button hides it.
class ExplainerWindow : public QWidget {
    Q_OBJECT
public:
    // `symbol` is a symbol name the SymbolCatalog resolves.
    ExplainerWindow(const QString& windowTitle, const QString& symbol, const QString& title,
                    QWidget* parent = nullptr);

    QLabel* body() const { return body_; }
    QLabel* status() const { return status_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* defaultButton() const { return default_; }
    QPushButton* linkButton() const { return link_; }

    // Centres the window on the screen under the pointer and brings it forward.
    void present();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* body_;
    QLabel* status_;
    QPushButton* cancel_;
    QPushButton* default_;
    QPushButton* link_;
};

} // namespace vellaro
