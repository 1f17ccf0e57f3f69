#include "platform/windows/X11WindowReader.h"

#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

// The longest property read, in 32-bit units: far more than any client list
// or name a window carries.
constexpr std::uint32_t maxLength = 1 << 16;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeReply>;

xcb_get_property_cookie_t ask(xcb_connection_t* connection, std::uint32_t window,
                              std::uint32_t property, std::uint32_t type) {
    return xcb_get_property(connection, 0, window, property, type, 0, maxLength);
}

PropertyReply answer(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
    return PropertyReply(xcb_get_property_reply(connection, cookie, nullptr));
}

std::vector<std::uint32_t> cardinals(const PropertyReply& reply) {
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<std::uint32_t>(values, values + count);
}

QByteArray bytes(const PropertyReply& reply) {
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

} // namespace

X11WindowReader::X11WindowReader(xcb_connection_t* connection, std::uint32_t root,
                                 const X11Atoms& atoms)
    : connection_(connection), root_(root), atoms_(atoms) {}

std::vector<std::uint32_t> X11WindowReader::windowList(std::uint32_t property) const {
    return cardinals(answer(connection_, ask(connection_, root_, property, XCB_ATOM_WINDOW)));
}

std::vector<std::uint32_t> X11WindowReader::clientList() const {
    return windowList(atoms_[X11Atoms::NetClientList]);
}

std::vector<std::uint32_t> X11WindowReader::stackingList() const {
    return windowList(atoms_[X11Atoms::NetClientListStacking]);
}

std::uint32_t X11WindowReader::activeWindow() const {
    const std::vector<std::uint32_t> active = windowList(atoms_[X11Atoms::NetActiveWindow]);
    return active.empty() ? 0 : active.front();
}

std::vector<X11WindowReader::OwnerProperties>
X11WindowReader::ownerProperties(const std::vector<std::uint32_t>& windows) const {
    struct Cookies {
        xcb_get_property_cookie_t gtk, kde, wmClass, pid;
    };
    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    const std::uint32_t utf8 = atoms_[X11Atoms::Utf8String];
    for (std::uint32_t window : windows) {
        cookies.push_back(
            {ask(connection_, window, atoms_[X11Atoms::GtkApplicationId], utf8),
             ask(connection_, window, atoms_[X11Atoms::KdeNetWmDesktopFile], utf8),
             ask(connection_, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING),
             ask(connection_, window, atoms_[X11Atoms::NetWmPid], XCB_ATOM_CARDINAL)});
    }
    std::vector<OwnerProperties> owners;
    owners.reserve(windows.size());
    for (const Cookies& cookie : cookies) {
        OwnerProperties owner;
        owner.gtkApplicationId = QString::fromUtf8(bytes(answer(connection_, cookie.gtk)));
        owner.kdeDesktopFile = QString::fromUtf8(bytes(answer(connection_, cookie.kde)));
        // WM_CLASS is two NUL-terminated strings: instance, then class.
        const QList<QByteArray> parts = bytes(answer(connection_, cookie.wmClass)).split('\0');
        owner.wmInstance = parts.size() > 0 ? QString::fromLatin1(parts[0]) : QString();
        owner.wmClass = parts.size() > 1 ? QString::fromLatin1(parts[1]) : QString();
        const std::vector<std::uint32_t> pid = cardinals(answer(connection_, cookie.pid));
        owner.pid = pid.empty() ? 0 : pid.front();
        owners.push_back(std::move(owner));
    }
    return owners;
}

bool X11WindowReader::acceptsDelete(std::uint32_t window) const {
    const std::vector<std::uint32_t> protocols = cardinals(answer(
        connection_, ask(connection_, window, atoms_[X11Atoms::WmProtocols], XCB_ATOM_ATOM)));
    for (std::uint32_t protocol : protocols) {
        if (protocol == atoms_[X11Atoms::WmDeleteWindow])
            return true;
    }
    return false;
}

std::uint32_t X11WindowReader::wmState(std::uint32_t window) const {
    const std::vector<std::uint32_t> state =
        cardinals(answer(connection_, ask(connection_, window, atoms_[X11Atoms::WmState],
                                          atoms_[X11Atoms::WmState])));
    return state.empty() ? 0 : state.front();
}

} // namespace vellaro
