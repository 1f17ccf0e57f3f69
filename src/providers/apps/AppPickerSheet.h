#pragma once

#include "model/InstalledApp.h"

#include <QSet>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace vellaro {

class AppsProvider;

// The add-apps picker as a window-modal sheet over `parent`, offering the
// installed apps of the provider's index with `alreadyTaken` marked as
// present; adding hands the picked apps to `onAdd`. Adding or cancelling
// closes it.
void showAppPickerSheet(AppsProvider& provider, QWidget* parent, const QSet<QString>& alreadyTaken,
                        std::function<void(const std::vector<InstalledApp>&)> onAdd);

} // namespace vellaro
