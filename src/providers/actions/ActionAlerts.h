#pragma once

#include <QString>
#include <functional>

namespace vellaro {

// The small windows the actions section shows when an action could not do
// its job. Both return at once (the alert stays until the user answers).
namespace ActionAlerts {

// "One-time setup for Do Not Disturb": which servers Vellaro can switch,
// "Open Settings" (runs `openSettings`) and "Later".
void showDoNotDisturbSetup(const QString& explanation, std::function<void()> openSettings);

// A plain message with an OK button.
void showFailure(const QString& message);

} // namespace ActionAlerts

} // namespace vellaro
