#pragma once

#include "app/SettingsPanes.h"

#include <QStringList>
#include <vector>

namespace vellaro {

// SettingsPanes on the Linux desktops: the first settings program found on
// PATH (GNOME, KDE, Xfce), and the file manager through
// org.freedesktop.FileManager1, else the folder opened as a URL.
class DesktopSettingsPanes final : public SettingsPanes {
public:
    QString openWindowAccess() override;
    void openMicrophone() override;
    void revealApplication() override;

private:
    // Each candidate is a program and its arguments; the first on PATH runs.
    // Returns why none did; empty when one started.
    static QString launchFirst(const std::vector<QStringList>& candidates);
};

} // namespace vellaro
