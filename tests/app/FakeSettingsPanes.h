#pragma once

#include "app/SettingsPanes.h"

namespace vellaro::test {

class FakeSettingsPanes final : public SettingsPanes {
public:
    int windowAccessOpened = 0;
    int microphoneOpened = 0;
    int revealed = 0;

    QString openWindowAccess() override {
        ++windowAccessOpened;
        return {};
    }
    void openMicrophone() override { ++microphoneOpened; }
    void revealApplication() override { ++revealed; }
};

} // namespace vellaro::test
