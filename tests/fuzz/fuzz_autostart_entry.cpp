// The autostart entry as found in the user's folder, whatever it holds: its
// status is read without fault, and turning start at login on and off
// always ends in the state asked for.
#include "FuzzStoreFolder.h"
#include "platform/session/LoginItem.h"

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDir autostart = storeFolderHolding(QLatin1String(LoginItem::fileName), input);
    // The store folder is ".../Vellaro"; the entry's config home is its parent.
    QDir configHome = autostart;
    configHome.cdUp();
    QDir(configHome.filePath(QStringLiteral("autostart"))).removeRecursively();
    FUZZ_CHECK(QDir(configHome.path())
                   .rename(autostart.path(), configHome.filePath(QStringLiteral("autostart"))));

    LoginItem item(QStringLiteral("/opt/vellaro/vellaro"), {configHome.path(), {}});
    const LoginItem::Status found = item.status();
    FUZZ_CHECK(found == LoginItem::Status::enabled || found == LoginItem::Status::notRegistered);
    FUZZ_CHECK(item.registerItem());
    FUZZ_CHECK(item.status() == LoginItem::Status::enabled);
    FUZZ_CHECK(item.unregisterItem());
    FUZZ_CHECK(item.status() == LoginItem::Status::notRegistered);
    return 0;
}
