#include "workspaces/RestoreReportContent.h"

namespace vellaro {

RestoreReportContent RestoreReportContent::make(const QString& name, std::int64_t restored,
                                                std::int64_t total) {
    RestoreReportContent content;
    content.complete = restored == total;
    content.text = name + QStringLiteral(" \u2014 restored ") + QString::number(restored);
    if (content.complete)
        content.text += QStringLiteral(" windows");
    else
        content.text += QStringLiteral(" of %1 windows").arg(total);
    content.symbol = content.complete ? QStringLiteral("checkmark.circle.fill")
                                      : QStringLiteral("exclamationmark.triangle.fill");
    content.tint = content.complete ? QColor(52, 199, 89) : QColor(255, 149, 0);
    return content;
}

} // namespace vellaro
