// A whole store cycle on any workspaces.json: load, save, load again.
// Nothing is lost: a file the store cannot use is moved aside byte for byte
// before the save, and what was saved loads back as the configuration held.
#include "FuzzStoreFolder.h"
#include "workspaces/WorkspacesStore.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDir folder = storeFolderHolding(QStringLiteral("workspaces.json"), input);

    WorkspacesStore store(folder.path());
    const WorkspacesConfiguration held = store.load();
    store.save(held);

    const QStringList aside =
        folder.entryList({QStringLiteral("workspaces.json.rejected-*")}, QDir::Files);
    FUZZ_CHECK(aside.size() <= 1);
    if (aside.size() == 1) {
        FUZZ_CHECK(contentOf(folder.filePath(aside.first())) == input);
        FUZZ_CHECK(held.workspaces.empty());
    }

    WorkspacesStore reloaded(folder.path());
    FUZZ_CHECK(reloaded.load() == held);
    // What the store wrote it takes as it stands.
    FUZZ_CHECK(folder.entryList({QStringLiteral("workspaces.json.rejected-*")}, QDir::Files) ==
               aside);
    return 0;
}
