#pragma once

#include <QString>

namespace vellaro {

// A byte count the way file sizes are shown: decimal units, "Zero KB",
// "1 byte", "512 bytes", whole KB, MB with one decimal, GB and up with two
// (trailing zeros dropped).
class ByteCount {
public:
    static QString fileStyle(qint64 bytes);
};

} // namespace vellaro
