#include "updates/UpdateViewModel.h"

namespace vellaro {

void UpdateViewModel::setNotes(const QList<ReleaseNotes>& notes) {
    notes_ = notes;
    Q_EMIT changed();
}

} // namespace vellaro
