#pragma once

#include "platform/clipboard/PasteboardContent.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vellaro {

// Reads the CLIPBOARD selection over an X connection of its own, so an owner
// that never answers costs only this thread its time-out: TARGETS first,
// then only the targets needed, large data in increments (INCR). Lives on
// one worker thread.
class XcbSelectionReader {
public:
    static constexpr std::chrono::milliseconds requestTimeout{1000};

    XcbSelectionReader() = default;
    ~XcbSelectionReader();
    XcbSelectionReader(const XcbSelectionReader&) = delete;
    XcbSelectionReader& operator=(const XcbSelectionReader&) = delete;

    // Everything needed of the current content; empty when there is no X
    // display or no owner.
    PasteboardContent read(std::int64_t changeCount);

    // Who owns the selection and since when: without XFixes, a change of
    // either is how a new copy shows.
    struct OwnerStamp {
        std::uint32_t owner = 0;
        std::uint32_t since = 0;
        bool operator==(const OwnerStamp&) const = default;
    };
    OwnerStamp ownerStamp();

private:
    struct Transfer {
        std::uint32_t type = 0;
        QByteArray data;
        bool tooLarge = false;
    };

    bool connect();
    std::uint32_t atom(const char* name);
    QString atomName(std::uint32_t atom);
    std::optional<Transfer> convert(std::uint32_t target, qint64 limit);
    std::optional<Transfer> readIncrementally(qint64 limit);
    void abandonProperty();
    std::optional<QByteArray> readTarget(const QStringList& offered, const char* name, qint64 limit,
                                         bool* tooLarge = nullptr);

    xcb_connection_t* connection_ = nullptr;
    bool connectFailed_ = false;
    std::uint32_t window_ = 0;
    std::uint32_t property_ = 0;
    int propertyIndex_ = 0;
    QHash<QByteArray, std::uint32_t> atoms_;
    QHash<std::uint32_t, QString> names_;
};

} // namespace vellaro
