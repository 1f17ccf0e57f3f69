#include "overlay/RadialMenuView.h"

#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "overlay/MouseHapticsFeedback.h"
#include "platform/session/Appearance.h"
#include "platform/time/QtScheduler.h"

namespace vellaro {

RadialMenuView::Services RadialMenuView::Services::shared() {
    static MouseHapticsFeedback haptics(MouseHapticsClient::shared());
    return {SettingsStore::shared(),
            MenuDataSource::shared(),
            QtScheduler::shared(),
            Appearance::shared(),
            &haptics,
            MaterialBackdrop::compositingManagerPresent()};
}

} // namespace vellaro
