#pragma once

#include <QLoggingCategory>

namespace vellaro {

// Settings file: load, save, files moved aside.
Q_DECLARE_LOGGING_CATEGORY(lcPersistence)

} // namespace vellaro
