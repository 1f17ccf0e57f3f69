#include "model/MouseButtonText.h"

namespace vellaro {

QString MouseButtonText::buttonName(long long button) {
    switch (button) {
    case 2:
        return QStringLiteral("Middle Click");
    case 3:
        return QStringLiteral("MB4 · Back");
    case 4:
        return QStringLiteral("MB5 · Forward");
    default:
        // Stored numbers are validated before use; this never overflows.
        if (button < -1 || button > 31)
            return QString();
        return QStringLiteral("Mouse %1").arg(button + 1);
    }
}

} // namespace vellaro
