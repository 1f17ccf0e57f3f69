#include "overlay/MouseHapticsFeedback.h"

#include "overlay/MouseHapticsClient.h"

namespace vellaro {

void MouseHapticsFeedback::tickIfDue() {
    client_.tickIfDue();
}

} // namespace vellaro
