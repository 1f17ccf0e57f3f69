#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace vellaro {

// Callbacks under tokens the owner hands out. A notification runs them in
// the order they were added; one removed while it runs is not called after
// its removal, and one added meanwhile waits for the next notification.
template <class Token, class... Args>
class ObserverList {
public:
    using Callback = std::function<void(Args...)>;

    void add(Token token, Callback callback) {
        entries_.push_back({std::move(token), std::make_shared<Callback>(std::move(callback))});
    }

    void remove(const Token& token) {
        std::erase_if(entries_, [&](const Entry& entry) { return entry.token == token; });
    }

    void notify(Args... args) const {
        // A copy: callbacks may add or remove observers, themselves included.
        const std::vector<Entry> snapshot = entries_;
        for (const Entry& entry : snapshot)
            if (*entry.callback && contains(entry.token))
                (*entry.callback)(args...);
    }

private:
    struct Entry {
        Token token;
        std::shared_ptr<Callback> callback;
    };

    bool contains(const Token& token) const {
        return std::any_of(entries_.begin(), entries_.end(),
                           [&](const Entry& entry) { return entry.token == token; });
    }

    std::vector<Entry> entries_;
};

} // namespace vellaro
