#pragma once

#include "model/MenuAction.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace vellaro {

// One entry of a section's fan. A plain value, copied freely: images are
// shared, callbacks keep alive only what they capture. `label` and `icon` are
// fixed once built; the provider that builds an item may set the rest.
class MenuItem {
public:
    // The fan item's picture: a symbol name (resolved by SymbolCatalog) or a bitmap.
    class Icon {
    public:
        static Icon symbol(QString name) { return Icon(std::move(name)); }
        static Icon image(QImage image) { return Icon(std::move(image)); }

        bool isSymbol() const { return std::holds_alternative<QString>(value_); }
        // Empty for an image icon.
        QString symbolName() const { return isSymbol() ? std::get<QString>(value_) : QString(); }
        // Null for a symbol icon.
        QImage image() const { return isSymbol() ? QImage() : std::get<QImage>(value_); }

    private:
        explicit Icon(std::variant<QString, QImage> value) : value_(std::move(value)) {}
        std::variant<QString, QImage> value_;
    };

    // What the floating preview card shows while the item is hovered.
    class Preview {
    public:
        static Preview text(QString text) { return Preview(std::move(text)); }
        static Preview image(QImage image) { return Preview(std::move(image)); }

        bool isText() const { return std::holds_alternative<QString>(value_); }
        // Empty for an image preview.
        QString text() const { return isText() ? std::get<QString>(value_) : QString(); }
        // Null for a text preview.
        QImage image() const { return isText() ? QImage() : std::get<QImage>(value_); }

    private:
        explicit Preview(std::variant<QString, QImage> value) : value_(std::move(value)) {}
        std::variant<QString, QImage> value_;
    };

    MenuItem(QString label, Icon icon) : label_(std::move(label)), icon_(std::move(icon)) {}

    const QString& label() const { return label_; }
    const Icon& icon() const { return icon_; }

    // A second, smaller line (a count, a detail).
    std::optional<QString> sublabel;
    // A small dot marking something as running.
    bool showsRunningDot = false;
    // What choosing the item does; none means choosing only closes the dial.
    std::function<void()> action;
    // The context menu, in display order; empty means none.
    std::vector<MenuAction> menuActions;
    // Choosing runs the action at once and leaves the dial open as it is.
    bool keepsOpen = false;
    std::optional<Preview> preview;
    std::optional<QString> previewCaption;

private:
    QString label_;
    Icon icon_;
};

} // namespace vellaro
