#include "platform/windows/X11Monitors.h"

#include "platform/windows/VisibleFrame.h"
#include "platform/windows/X11Properties.h"

#include <algorithm>
#include <vector>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

// The work area of `desktop` from _NET_WORKAREA (x, y, width, height per desktop).
std::optional<QRect> workArea(const std::vector<std::uint32_t>& areas, std::uint32_t desktop) {
    const std::size_t at = std::size_t{desktop} * 4;
    if (areas.size() < at + 4)
        return std::nullopt;
    return QRect(static_cast<std::int32_t>(areas[at]), static_cast<std::int32_t>(areas[at + 1]),
                 static_cast<int>(areas[at + 2]), static_cast<int>(areas[at + 3]));
}

} // namespace

X11Monitors::X11Monitors(xcb_connection_t* connection, std::uint32_t root, const X11Atoms& atoms)
    : connection_(connection), root_(root), atoms_(atoms) {}

bool X11Monitors::hasMonitorList() {
    if (!monitorList_) {
        const xcb_query_extension_reply_t* randr =
            xcb_get_extension_data(connection_, &xcb_randr_id);
        bool recent = false;
        if (randr && randr->present) {
            const auto version = x11Reply(xcb_randr_query_version_reply, connection_,
                                          xcb_randr_query_version(connection_, 1, 5));
            recent = version && (version->major_version > 1 ||
                                 (version->major_version == 1 && version->minor_version >= 5));
        }
        monitorList_ = recent;
    }
    return *monitorList_;
}

QList<Monitor> X11Monitors::read() {
    const bool withMonitorList = hasMonitorList();
    std::optional<xcb_randr_get_monitors_cookie_t> monitorsCookie;
    if (withMonitorList)
        monitorsCookie = xcb_randr_get_monitors(connection_, root_, 1);
    const auto rootCookie = xcb_get_geometry(connection_, root_);
    const auto desktopCookie =
        askProperty(connection_, root_, atoms_[X11Atoms::NetCurrentDesktop], XCB_ATOM_CARDINAL);
    const auto areaCookie =
        askProperty(connection_, root_, atoms_[X11Atoms::NetWorkarea], XCB_ATOM_CARDINAL);

    const auto listed = monitorsCookie
                            ? x11Reply(xcb_randr_get_monitors_reply, connection_, *monitorsCookie)
                            : nullptr;
    const auto rootGeometry = x11Reply(xcb_get_geometry_reply, connection_, rootCookie);
    const std::vector<std::uint32_t> desktop =
        propertyCardinals(propertyReply(connection_, desktopCookie));
    const std::optional<QRect> area =
        workArea(propertyCardinals(propertyReply(connection_, areaCookie)),
                 desktop.empty() ? 0 : desktop.front());

    struct Listed {
        QRect frame;
        bool primary;
        xcb_get_atom_name_cookie_t name;
    };
    std::vector<Listed> found;
    if (listed) {
        for (auto it = xcb_randr_get_monitors_monitors_iterator(listed.get()); it.rem;
             xcb_randr_monitor_info_next(&it)) {
            found.push_back({QRect(it.data->x, it.data->y, it.data->width, it.data->height),
                             it.data->primary != 0, xcb_get_atom_name(connection_, it.data->name)});
        }
    }
    std::stable_partition(found.begin(), found.end(),
                          [](const Listed& monitor) { return monitor.primary; });
    QList<Monitor> monitors;
    for (const Listed& monitor : found) {
        const auto name = x11Reply(xcb_get_atom_name_reply, connection_, monitor.name);
        const QString text = name ? QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                                        xcb_get_atom_name_name_length(name.get()))
                                  : QString();
        monitors.append({text, monitor.frame, visibleFrame(monitor.frame, area)});
    }
    if (monitors.isEmpty() && rootGeometry) {
        const QRect screen(0, 0, rootGeometry->width, rootGeometry->height);
        monitors.append({QString(), screen, visibleFrame(screen, area)});
    }
    return monitors;
}

} // namespace vellaro
