#pragma once

#include "model/InstalledApp.h"

#include <QFuture>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class AppCatalog;

// The installed applications sorted by name, scanned once per process on a
// worker thread. Callers that ask while the scan runs share it; the result,
// even an empty one, is kept and handed out from then on. Main thread.
class InstalledAppsIndex {
public:
    using Scan = std::function<std::vector<InstalledApp>()>;
    using Receiver = std::function<void(const std::vector<InstalledApp>&)>;

    explicit InstalledAppsIndex(Scan scan);
    ~InstalledAppsIndex();

    // The scan of a catalog: one app per desktop ID, sorted by name with the
    // user's collation, ignoring case. Runs on any thread.
    static std::vector<InstalledApp> scanCatalog(const AppCatalog& catalog);

    // Hands the list to `receiver`: at once when the scan has finished,
    // otherwise on the main thread when it does.
    void apps(Receiver receiver);

private:
    Scan scan_;
    std::optional<QFuture<std::vector<InstalledApp>>> scanning_;
    std::optional<std::vector<InstalledApp>> apps_;
    std::vector<Receiver> waiting_;
    // Continuations run in this object's thread and die with it.
    std::unique_ptr<QObject> context_;
};

} // namespace vellaro
