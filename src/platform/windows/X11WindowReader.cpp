#include "platform/windows/X11WindowReader.h"

#include "platform/windows/X11Properties.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <xcb/res.h>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

std::uint32_t firstOrZero(const std::vector<std::uint32_t>& values) {
    return values.empty() ? 0 : values.front();
}

// The pid X-Resource knows for the client that created `window`, 0 when none.
std::uint32_t localClientPid(const X11Reply<xcb_res_query_client_ids_reply_t>& reply) {
    if (!reply)
        return 0;
    for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem;
         xcb_res_client_id_value_next(&ids)) {
        if ((ids.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) &&
            xcb_res_client_id_value_value_length(ids.data) >= 1)
            return *xcb_res_client_id_value_value(ids.data);
    }
    return 0;
}

} // namespace

struct X11WindowReader::OwnerCookies {
    xcb_get_property_cookie_t gtk, kde, wmClass, pid;
};

X11WindowReader::X11WindowReader(xcb_connection_t* connection, std::uint32_t root,
                                 const X11Atoms& atoms)
    : connection_(connection), root_(root), atoms_(atoms) {}

std::vector<std::uint32_t> X11WindowReader::windowList(std::uint32_t property) const {
    return propertyCardinals(
        propertyReply(connection_, askProperty(connection_, root_, property, XCB_ATOM_WINDOW)));
}

std::vector<std::uint32_t> X11WindowReader::clientList() const {
    return windowList(atoms_[X11Atoms::NetClientList]);
}

std::vector<std::uint32_t> X11WindowReader::stackingList() const {
    return windowList(atoms_[X11Atoms::NetClientListStacking]);
}

std::uint32_t X11WindowReader::activeWindow() const {
    return firstOrZero(windowList(atoms_[X11Atoms::NetActiveWindow]));
}

std::uint32_t X11WindowReader::listedActiveWindow() const {
    const auto activeCookie =
        askProperty(connection_, root_, atoms_[X11Atoms::NetActiveWindow], XCB_ATOM_WINDOW);
    const auto listCookie =
        askProperty(connection_, root_, atoms_[X11Atoms::NetClientList], XCB_ATOM_WINDOW);
    const std::uint32_t active =
        firstOrZero(propertyCardinals(propertyReply(connection_, activeCookie)));
    const std::vector<std::uint32_t> listed =
        propertyCardinals(propertyReply(connection_, listCookie));
    return std::find(listed.begin(), listed.end(), active) != listed.end() ? active : 0;
}

X11WindowReader::OwnerCookies X11WindowReader::askOwner(std::uint32_t window) const {
    const std::uint32_t utf8 = atoms_[X11Atoms::Utf8String];
    return {askProperty(connection_, window, atoms_[X11Atoms::GtkApplicationId], utf8),
            askProperty(connection_, window, atoms_[X11Atoms::KdeNetWmDesktopFile], utf8),
            askProperty(connection_, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING),
            askProperty(connection_, window, atoms_[X11Atoms::NetWmPid], XCB_ATOM_CARDINAL)};
}

X11WindowReader::OwnerProperties X11WindowReader::readOwner(const OwnerCookies& cookies) const {
    OwnerProperties owner;
    owner.gtkApplicationId =
        QString::fromUtf8(propertyBytes(propertyReply(connection_, cookies.gtk)));
    owner.kdeDesktopFile =
        QString::fromUtf8(propertyBytes(propertyReply(connection_, cookies.kde)));
    // WM_CLASS is two NUL-terminated strings: instance, then class.
    const QList<QByteArray> parts =
        propertyBytes(propertyReply(connection_, cookies.wmClass)).split('\0');
    owner.wmInstance = parts.size() > 0 ? QString::fromLatin1(parts[0]) : QString();
    owner.wmClass = parts.size() > 1 ? QString::fromLatin1(parts[1]) : QString();
    owner.pid = firstOrZero(propertyCardinals(propertyReply(connection_, cookies.pid)));
    return owner;
}

std::vector<X11WindowReader::OwnerProperties>
X11WindowReader::ownerProperties(const std::vector<std::uint32_t>& windows) const {
    std::vector<OwnerCookies> cookies;
    cookies.reserve(windows.size());
    for (std::uint32_t window : windows)
        cookies.push_back(askOwner(window));
    std::vector<OwnerProperties> owners;
    owners.reserve(windows.size());
    for (const OwnerCookies& cookie : cookies)
        owners.push_back(readOwner(cookie));
    return owners;
}

std::vector<X11WindowReader::ClientProperties>
X11WindowReader::clientProperties(const std::vector<std::uint32_t>& windows) const {
    struct Cookies {
        OwnerCookies owner;
        xcb_get_property_cookie_t netName, name, types, states, wmState;
        std::optional<xcb_res_query_client_ids_cookie_t> clientIds;
    };
    // Asked for every window in the same batch, so a window without
    // _NET_WM_PID costs no second round trip.
    const xcb_query_extension_reply_t* resource = xcb_get_extension_data(connection_, &xcb_res_id);
    const bool withResource = resource && resource->present;

    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    for (std::uint32_t window : windows) {
        Cookies asked{
            askOwner(window),
            askProperty(connection_, window, atoms_[X11Atoms::NetWmName],
                        atoms_[X11Atoms::Utf8String]),
            askProperty(connection_, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY),
            askProperty(connection_, window, atoms_[X11Atoms::NetWmWindowType], XCB_ATOM_ATOM),
            askProperty(connection_, window, atoms_[X11Atoms::NetWmState], XCB_ATOM_ATOM),
            askProperty(connection_, window, atoms_[X11Atoms::WmState], atoms_[X11Atoms::WmState]),
            std::nullopt};
        if (withResource) {
            const xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
            asked.clientIds = xcb_res_query_client_ids(connection_, 1, &spec);
        }
        cookies.push_back(asked);
    }

    std::vector<ClientProperties> clients;
    clients.reserve(windows.size());
    for (const Cookies& cookie : cookies) {
        ClientProperties client;
        client.owner = readOwner(cookie.owner);
        const QByteArray netName = propertyBytes(propertyReply(connection_, cookie.netName));
        const auto name = propertyReply(connection_, cookie.name);
        if (!netName.isEmpty())
            client.title = QString::fromUtf8(netName);
        else if (name && name->type == atoms_[X11Atoms::Utf8String])
            client.title = QString::fromUtf8(propertyBytes(name));
        else // STRING is Latin-1; COMPOUND_TEXT reads right for its ASCII part.
            client.title = QString::fromLatin1(propertyBytes(name));
        client.types = propertyCardinals(propertyReply(connection_, cookie.types));
        client.states = propertyCardinals(propertyReply(connection_, cookie.states));
        client.wmState = firstOrZero(propertyCardinals(propertyReply(connection_, cookie.wmState)));
        const std::uint32_t resourcePid =
            cookie.clientIds ? localClientPid(x11Reply(xcb_res_query_client_ids_reply, connection_,
                                                       *cookie.clientIds))
                             : 0;
        if (client.owner.pid == 0)
            client.owner.pid = resourcePid;
        clients.push_back(std::move(client));
    }
    return clients;
}

std::vector<std::optional<X11WindowReader::Placement>>
X11WindowReader::placements(const std::vector<std::uint32_t>& windows) const {
    struct Cookies {
        xcb_translate_coordinates_cookie_t origin;
        xcb_get_geometry_cookie_t geometry;
        xcb_get_property_cookie_t extents, states;
    };
    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    for (std::uint32_t window : windows) {
        cookies.push_back(
            {xcb_translate_coordinates(connection_, window, root_, 0, 0),
             xcb_get_geometry(connection_, window),
             askProperty(connection_, window, atoms_[X11Atoms::NetFrameExtents], XCB_ATOM_CARDINAL),
             askProperty(connection_, window, atoms_[X11Atoms::NetWmState], XCB_ATOM_ATOM)});
    }
    std::vector<std::optional<Placement>> placements;
    placements.reserve(windows.size());
    for (const Cookies& cookie : cookies) {
        const auto origin = x11Reply(xcb_translate_coordinates_reply, connection_, cookie.origin);
        const auto geometry = x11Reply(xcb_get_geometry_reply, connection_, cookie.geometry);
        const std::vector<std::uint32_t> extents =
            propertyCardinals(propertyReply(connection_, cookie.extents));
        std::vector<std::uint32_t> states =
            propertyCardinals(propertyReply(connection_, cookie.states));
        if (!origin || !geometry) {
            placements.push_back(std::nullopt);
            continue;
        }
        Placement placement;
        placement.client = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        if (extents.size() >= 4) {
            placement.extents = {static_cast<int>(extents[0]), static_cast<int>(extents[1]),
                                 static_cast<int>(extents[2]), static_cast<int>(extents[3])};
        }
        placement.states = std::move(states);
        placements.push_back(std::move(placement));
    }
    return placements;
}

bool X11WindowReader::acceptsDelete(std::uint32_t window) const {
    const std::vector<std::uint32_t> protocols = propertyCardinals(
        propertyReply(connection_, askProperty(connection_, window, atoms_[X11Atoms::WmProtocols],
                                               XCB_ATOM_ATOM)));
    for (std::uint32_t protocol : protocols) {
        if (protocol == atoms_[X11Atoms::WmDeleteWindow])
            return true;
    }
    return false;
}

std::uint32_t X11WindowReader::wmState(std::uint32_t window) const {
    return firstOrZero(propertyCardinals(
        propertyReply(connection_, askProperty(connection_, window, atoms_[X11Atoms::WmState],
                                               atoms_[X11Atoms::WmState]))));
}

} // namespace vellaro
