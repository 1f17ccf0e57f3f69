#include "app/LaunchRequest.h"

namespace vellaro {

LaunchRequest LaunchRequest::fromArguments(const QStringList& arguments) {
    LaunchRequest request;
    if (arguments.size() >= 3) {
        if (arguments[1] == QLatin1String("--spike-capture"))
            return {Mode::SpikeCapture, arguments[2], false};
        if (arguments[1] == QLatin1String("--spike-match"))
            return {Mode::SpikeMatch, arguments[2], false};
    }
    request.openSettings = arguments.contains(QLatin1String("--open-settings"));
    return request;
}

} // namespace vellaro
