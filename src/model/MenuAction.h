#pragma once

#include <QString>
#include <functional>
#include <utility>

namespace vellaro {

// One entry of a fan item's context menu. Title and handler are fixed once built.
class MenuAction {
public:
    MenuAction(QString title, std::function<void()> handler)
        : title_(std::move(title)), handler_(std::move(handler)) {}

    const QString& title() const { return title_; }
    const std::function<void()>& handler() const { return handler_; }

    // Runs the handler, if there is one.
    void run() const {
        if (handler_)
            handler_();
    }

private:
    QString title_;
    std::function<void()> handler_;
};

} // namespace vellaro
