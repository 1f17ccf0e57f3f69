#include "platform/hid/HidDevices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vellaro::HidDevice;
using vellaro::HidDevices;

namespace vellaro {
void PrintTo(const HidDevice& device, std::ostream* out) {
    *out << std::hex << device.bus << ':' << device.vendorId << ':' << device.productId << " \""
         << device.name.toStdString() << '"';
}
} // namespace vellaro

namespace {

struct UeventCase {
    const char* label;
    const char* text;
    std::optional<HidDevice> expected;
};

class UeventParsing : public ::testing::TestWithParam<UeventCase> {};

TEST_P(UeventParsing, ReadsIdAndName) {
    EXPECT_EQ(HidDevices::parseUevent(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UeventParsing,
    ::testing::Values(
        UeventCase{"mxMasterOverBluetooth",
                   "DRIVER=logitech-hidpp-device\nHID_ID=0005:0000046D:0000B034\n"
                   "HID_NAME=Logitech MX Master 3S\nHID_PHYS=usb-0000:00:14.0-2/input2:1\n"
                   "MODALIAS=hid:b0005g0102v0000046Dp0000B034\n",
                   HidDevice{0x0005, 0x046D, 0xB034, "Logitech MX Master 3S"}},
        UeventCase{"lowerCaseHexAndName",
                   "HID_NAME=mx master 4 for mac\nHID_ID=0003:0000046d:0000b042\n",
                   HidDevice{0x0003, 0x046D, 0xB042, "mx master 4 for mac"}},
        UeventCase{"noName", "HID_ID=0003:0000046D:0000C52B\n",
                   HidDevice{0x0003, 0x046D, 0xC52B, ""}},
        UeventCase{"noId", "HID_NAME=Logitech MX Master 3S\n", std::nullopt},
        UeventCase{"twoFields", "HID_ID=0003:0000046D\nHID_NAME=x\n", std::nullopt},
        UeventCase{"fourFields", "HID_ID=0003:0000046D:0000B034:0001\n", std::nullopt},
        UeventCase{"notHex", "HID_ID=0003:0000046G:0000B034\n", std::nullopt},
        UeventCase{"emptyField", "HID_ID=0003::0000B034\n", std::nullopt},
        UeventCase{"vendorBeyondSixteenBits", "HID_ID=0003:0001046D:0000B034\n", std::nullopt},
        UeventCase{"tooManyDigits", "HID_ID=0003:00000000046D:0000B034\n", std::nullopt},
        UeventCase{"empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

// A sysfs-like tree: one folder per device, each with its uevent file.
class HidTree : public ::testing::Test {
protected:
    void addDevice(const QString& folder, const QByteArray& uevent) {
        ASSERT_TRUE(QDir(root.path()).mkpath(folder));
        QFile file(root.filePath(folder + "/uevent"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(uevent);
    }
    QTemporaryDir root;
};

TEST_F(HidTree, ListsParsableDevicesAndFiltersByVendor) {
    addDevice("0005:046D:B034.0001",
              "HID_ID=0005:0000046D:0000B034\nHID_NAME=Logitech MX Master 3S\n");
    addDevice("0003:046D:C548.0002", "HID_ID=0003:0000046D:0000C548\nHID_NAME=Logitech MX Keys\n");
    addDevice("0003:1532:0084.0003", "HID_ID=0003:00001532:00000084\nHID_NAME=Razer DeathAdder\n");
    addDevice("broken", "HID_ID=garbage\nHID_NAME=Logitech MX Master 2S\n");
    ASSERT_TRUE(QDir(root.path()).mkpath("no-uevent"));

    const HidDevices hid(root.path());
    EXPECT_EQ(hid.devices().size(), 3);
    QStringList logitech;
    for (const HidDevice& device : hid.devices(0x046D))
        logitech.append(device.name);
    EXPECT_EQ(logitech, QStringList({"Logitech MX Keys", "Logitech MX Master 3S"}));
}

TEST(HidDevicesRoot, MissingRootGivesNoDevices) {
    EXPECT_TRUE(HidDevices("/nonexistent/hid/devices").devices().isEmpty());
}

} // namespace
