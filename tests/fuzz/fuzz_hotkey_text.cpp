// The hot-key text helpers on any key code, modifier mask and characters:
// they never crash, the spaced form only adds blanks, the Linux name always
// ends in a key name, and the modifier rule agrees with the mask.
#include "FuzzCheck.h"
#include "model/HotKeyText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace vellaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8)
        return 0;
    KeyStroke stroke;
    std::memcpy(&stroke.keyCode, data, 4);
    std::memcpy(&stroke.modifiers, data + 4, 4);
    stroke.characters =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 8), qsizetype(size - 8));

    HotKeyText::keyName(stroke);
    // The Linux name always ends in the key's name, whatever the code.
    const QStringList parts = HotKeyText::shortcutParts(stroke.keyCode, stroke.modifiers);
    FUZZ_CHECK(!parts.isEmpty() && !parts.last().isEmpty());
    FUZZ_CHECK(HotKeyText::shortcutText(stroke.keyCode, stroke.modifiers) ==
               parts.join(QLatin1Char('+')));
    const QString display = HotKeyText::displayString(stroke);
    for (const QString& text : {display, stroke.characters}) {
        QString spaced = HotKeyText::spacedDisplayString(text);
        FUZZ_CHECK(spaced.size() >= text.size());
        FUZZ_CHECK(spaced.remove(QLatin1Char(' ')) == QString(text).remove(QLatin1Char(' ')));
    }
    const bool required =
        (stroke.modifiers & (carbonControlKey | carbonOptionKey | carbonCommandKey)) != 0;
    FUZZ_CHECK(HotKeyText::hasRequiredModifier(stroke.modifiers) == required);
    const auto qtModifiers = Qt::KeyboardModifiers::fromInt(int(stroke.modifiers));
    const std::uint32_t mask = HotKeyText::carbonModifiers(qtModifiers);
    FUZZ_CHECK((mask & ~std::uint32_t(carbonCommandKey | carbonShiftKey | carbonOptionKey |
                                      carbonControlKey)) == 0);
    return 0;
}
