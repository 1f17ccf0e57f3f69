#pragma once

#include <QUuid>
#include <functional>

namespace vellaro {

class MenuDataSource;

// An observer of the data source that is removed when the guard goes, so
// a widget holding one is never called after its destruction.
class ScopedDataSourceObserver {
public:
    ScopedDataSourceObserver() = default;
    ScopedDataSourceObserver(MenuDataSource& source, std::function<void()> observer);
    ~ScopedDataSourceObserver() { reset(); }
    ScopedDataSourceObserver(ScopedDataSourceObserver&& other) noexcept;
    ScopedDataSourceObserver& operator=(ScopedDataSourceObserver&& other) noexcept;
    ScopedDataSourceObserver(const ScopedDataSourceObserver&) = delete;
    ScopedDataSourceObserver& operator=(const ScopedDataSourceObserver&) = delete;

    bool isActive() const { return source_ != nullptr; }
    void reset();

private:
    MenuDataSource* source_ = nullptr;
    QUuid token_;
};

} // namespace vellaro
