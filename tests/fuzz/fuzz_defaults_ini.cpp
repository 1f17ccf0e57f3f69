// defaults.ini as found at start, whatever it holds: loaded, changed, saved
// and loaded again. A file that cannot be used is kept aside byte for byte,
// and what was saved loads back.
#include "FuzzStoreFolder.h"
#include "platform/session/Defaults.h"

#include <cstddef>
#include <cstdint>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDir folder = storeFolderHolding(QStringLiteral("defaults.ini"), input);
    const QString path = folder.filePath(QStringLiteral("defaults.ini"));

    {
        Defaults defaults(path);
        FUZZ_CHECK(defaults.setValue(QStringLiteral("vellaroOnboardingCompleted"), true));
        FUZZ_CHECK(defaults.boolValue(QStringLiteral("vellaroOnboardingCompleted")));
    }
    const QStringList aside =
        folder.entryList({QStringLiteral("defaults.ini.rejected-*")}, QDir::Files);
    FUZZ_CHECK(aside.size() <= 1);
    if (aside.size() == 1)
        FUZZ_CHECK(contentOf(folder.filePath(aside.first())) == input);

    const Defaults reloaded(path);
    FUZZ_CHECK(reloaded.boolValue(QStringLiteral("vellaroOnboardingCompleted")));
    FUZZ_CHECK(folder.entryList({QStringLiteral("defaults.ini.rejected-*")}, QDir::Files) == aside);
    return 0;
}
