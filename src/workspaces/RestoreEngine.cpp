#include "workspaces/RestoreEngine.h"

#include "workspaces/RestoreRun.h"

namespace vellaro {

RestoreEngine::RestoreEngine(RestoreServices services) : services_(std::move(services)) {}

RestoreEngine::~RestoreEngine() {
    if (current_)
        current_->cancel();
}

void RestoreEngine::restore(const Workspace& workspace) {
    if (current_)
        current_->cancel();
    current_ = std::make_shared<RestoreRun>(services_, workspace);
    // Held by the engine: start() may finish, or be cancelled, before it returns.
    const std::shared_ptr<RestoreRun> run = current_;
    run->start();
}

} // namespace vellaro
