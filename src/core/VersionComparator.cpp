#include "core/VersionComparator.h"

#include <QList>

namespace vellaro {

namespace {

struct Part {
    bool number = false;
    QStringView text; // digits without leading zeros, or letters
};

QList<Part> partsOf(QStringView version) {
    QList<Part> parts;
    qsizetype i = 0;
    while (i < version.size()) {
        const QChar c = version[i];
        qsizetype end = i + 1;
        if (c.isDigit()) {
            while (end < version.size() && version[end].isDigit())
                ++end;
            qsizetype start = i;
            while (start < end - 1 && version[start] == u'0')
                ++start;
            parts.append({true, version.sliced(start, end - start)});
        } else if (c.isLetter()) {
            while (end < version.size() && version[end].isLetter())
                ++end;
            parts.append({false, version.sliced(i, end - i)});
        }
        i = end;
    }
    return parts;
}

bool isZero(const Part& part) {
    return part.number && part.text == u"0";
}

std::strong_ordering compareParts(const Part& a, const Part& b) {
    if (a.number != b.number)
        return a.number ? std::strong_ordering::greater : std::strong_ordering::less;
    if (a.number && a.text.size() != b.text.size())
        return a.text.size() <=> b.text.size();
    return a.text.compare(b.text) <=> 0;
}

// What the longer version's remaining parts make of it: zeros change
// nothing, a letter run marks a pre-release, any other number a later one.
std::strong_ordering tailOrder(const QList<Part>& parts, qsizetype from) {
    for (qsizetype i = from; i < parts.size(); ++i) {
        if (isZero(parts[i]))
            continue;
        return parts[i].number ? std::strong_ordering::greater : std::strong_ordering::less;
    }
    return std::strong_ordering::equal;
}

} // namespace

std::strong_ordering VersionComparator::compare(QStringView a, QStringView b) {
    const QList<Part> left = partsOf(a);
    const QList<Part> right = partsOf(b);
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const auto order = compareParts(left[i], right[i]);
        if (order != 0)
            return order;
    }
    if (left.size() > common)
        return tailOrder(left, common);
    if (right.size() > common)
        return 0 <=> tailOrder(right, common);
    return std::strong_ordering::equal;
}

} // namespace vellaro
