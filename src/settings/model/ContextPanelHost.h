#pragma once

#include "model/Pal.h"
#include "model/SectionKind.h"
#include "model/VellaroSettings.h"

#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace vellaro {

// What the console offers the context panel on its right: the palette, the
// settings copy, the selected section, the toast and the library gestures.
// Library points are in coordinateRoot()'s coordinates; a panel ends every
// tile drag with a drop.
class ContextPanelHost {
public:
    virtual ~ContextPanelHost() = default;

    virtual const Pal& pal() const = 0;
    virtual const VellaroSettings& settings() const = 0;
    virtual std::optional<SectionKind> selection() const = 0;
    virtual void setSelection(std::optional<SectionKind> section) = 0;
    virtual void showToast(const QString& message, std::function<void()> undo) = 0;
    virtual void handleLibraryDrag(SectionKind section, QPointF location) = 0;
    virtual void handleLibraryDrop(SectionKind section) = 0;
    virtual void handleLibraryAppend(SectionKind section) = 0;
    // The widget whose coordinates are the console's ("vellaroConsole").
    virtual QWidget* coordinateRoot() = 0;
};

} // namespace vellaro
