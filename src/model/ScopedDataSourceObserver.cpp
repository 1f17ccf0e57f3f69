#include "model/ScopedDataSourceObserver.h"

#include "model/MenuDataSource.h"

#include <utility>

namespace vellaro {

ScopedDataSourceObserver::ScopedDataSourceObserver(MenuDataSource& source,
                                                   std::function<void()> observer)
    : source_(&source), token_(source.addObserver(std::move(observer))) {}

ScopedDataSourceObserver::ScopedDataSourceObserver(ScopedDataSourceObserver&& other) noexcept
    : source_(std::exchange(other.source_, nullptr)), token_(other.token_) {}

ScopedDataSourceObserver&
ScopedDataSourceObserver::operator=(ScopedDataSourceObserver&& other) noexcept {
    if (this != &other) {
        reset();
        source_ = std::exchange(other.source_, nullptr);
        token_ = other.token_;
    }
    return *this;
}

void ScopedDataSourceObserver::reset() {
    if (source_)
        source_->removeObserver(token_);
    source_ = nullptr;
}

} // namespace vellaro
