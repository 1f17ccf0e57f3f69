#pragma once

#include "platform/session/Desktop.h"

#include <QStringList>
#include <QUrl>
#include <vector>

namespace vellaro::test {

// A Desktop that records what it was asked to open and reveal.
class FakeDesktop final : public Desktop {
public:
    std::vector<QUrl> opened;
    QStringList revealed;

    void open(const QUrl& url) override { opened.push_back(url); }
    void reveal(const QString& path) override { revealed << path; }
};

} // namespace vellaro::test
