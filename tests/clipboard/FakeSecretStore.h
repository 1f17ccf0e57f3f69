#pragma once

#include "platform/secrets/SecretStore.h"

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace vellaro::test {

// A secret store holding one secret that, like the Secret Service, replaces
// it on every add. It can be down or slow, and a test can hold its calls on
// a latch to stop the worker in the middle of a load or write.
class FakeSecretStore final : public SecretStore {
public:
    std::atomic<bool> available{true};
    std::atomic<int> lookups{0};
    std::atomic<int> adds{0};
    // How long each call takes, as a busy keyring's.
    std::atomic<int> latencyMs{0};
    // Runs inside the next lookup, after its answer was taken, once.
    std::function<void()> duringNextLookup;

    Result lookup() override {
        waitIfHeld();
        ++lookups;
        Result answer = currentAnswer();
        // The answer was taken before the hook ran: it may be stale now.
        if (auto hook = std::exchange(duringNextLookup, nullptr))
            hook();
        return answer;
    }
    Result add(const QByteArray& secret) override {
        waitIfHeld();
        ++adds;
        if (!available)
            return {Status::unavailable, {}};
        std::lock_guard lock(mutex_);
        secret_ = secret;
        return {Status::found, secret};
    }
    QString backendName() const override { return QStringLiteral("fake store"); }

    std::optional<QByteArray> secret() const {
        std::lock_guard lock(mutex_);
        return secret_;
    }
    void setSecret(std::optional<QByteArray> secret) {
        std::lock_guard lock(mutex_);
        secret_ = std::move(secret);
    }

    // Calls wait until release(); isWaiting() tells one is.
    void hold() {
        std::lock_guard lock(mutex_);
        held_ = true;
        waiting_ = false;
    }
    bool isWaiting() const {
        std::lock_guard lock(mutex_);
        return waiting_;
    }
    void release() {
        {
            std::lock_guard lock(mutex_);
            held_ = false;
        }
        released_.notify_all();
    }

private:
    Result currentAnswer() const {
        if (!available)
            return {Status::unavailable, {}};
        std::lock_guard lock(mutex_);
        return secret_ ? Result{Status::found, *secret_} : Result{Status::notFound, {}};
    }
    void waitIfHeld() {
        std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs.load()));
        std::unique_lock lock(mutex_);
        if (held_)
            waiting_ = true;
        released_.wait(lock, [this] { return !held_; });
    }

    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::optional<QByteArray> secret_;
    bool held_ = false;
    bool waiting_ = false;
};

} // namespace vellaro::test
