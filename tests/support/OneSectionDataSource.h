#pragma once

#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QTemporaryDir>
#include <memory>

namespace vellaro::test {

// A data source whose only real section is `kind`, given `provider`; the
// others are empty. Settings live in a temporary folder.
class OneSectionDataSource {
public:
    OneSectionDataSource(SectionKind kind, std::unique_ptr<SectionProvider> provider)
        : settings_(folder_.path(), notifications_),
          dataSource_(settings_, trust_, [&](SectionKind made) -> std::unique_ptr<SectionProvider> {
              return made == kind ? std::move(provider) : nullptr;
          }) {}

    MenuDataSource& operator*() { return dataSource_; }
    MenuDataSource* operator->() { return &dataSource_; }

private:
    struct Trusted final : WindowAccessTrust {
        bool isTrusted() override { return true; }
    };

    QTemporaryDir folder_;
    Notifications notifications_;
    SettingsStore settings_;
    Trusted trust_;
    MenuDataSource dataSource_;
};

} // namespace vellaro::test
