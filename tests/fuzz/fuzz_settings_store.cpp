// A whole store cycle on any settings.json: load, change, save, load again.
// Nothing is lost: a file the store cannot keep is moved aside byte for byte,
// and what it saved loads back as the record it held.
#include "FuzzStoreFolder.h"
#include "model/SettingsStore.h"
#include "platform/session/Notifications.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDir folder = storeFolderHolding(QStringLiteral("settings.json"), input);

    Notifications hub;
    VellaroSettings held;
    {
        SettingsStore store(folder.path(), hub);
        store.setTheme(store.settings().theme == ThemeChoice::pearl ? ThemeChoice::eclipse
                                                                    : ThemeChoice::pearl);
        held = store.settings();
    }

    const QStringList aside =
        folder.entryList({QStringLiteral("settings.json.rejected-*")}, QDir::Files);
    FUZZ_CHECK(aside.size() <= 1);
    if (aside.size() == 1)
        FUZZ_CHECK(contentOf(folder.filePath(aside.first())) == input);

    SettingsStore reloaded(folder.path(), hub);
    FUZZ_CHECK(reloaded.settings() == held);
    // The saved file is one the store takes as it stands.
    FUZZ_CHECK(folder.entryList({QStringLiteral("settings.json.rejected-*")}, QDir::Files) ==
               aside);
    return 0;
}
