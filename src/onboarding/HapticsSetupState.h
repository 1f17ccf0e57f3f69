#pragma once

namespace vellaro {

// The haptics wizard's pages, in the order they come; there is no way back.
enum class HapticsSetupPhase { explain, steps, vellar };

// What the wizard knows of the two installs and the plug-in.
struct HapticsSetupState {
    bool optionsPlusReady = false; // the companion app's desktop entry is there
    bool pluginOnDisk = false;     // the plug-in's folder is there
    bool connected = false;        // the plug-in answered the last probe
    bool burstSent = false;        // a test burst went out from the checklist

    friend bool operator==(const HapticsSetupState&, const HapticsSetupState&) = default;
};

} // namespace vellaro
