#include "model/SymbolCatalog.h"
#include "providers/sound/SoundProvider.h"
#include "support/FakeAudioSystem.h"
#include "support/ItemLabels.h"
#include "support/OneSectionDataSource.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::FakeAudioSystem;
using Write = FakeAudioSystem::Write;

AudioSink sink(std::uint32_t index, const QString& name, double volume = 0.5, bool muted = false) {
    AudioSink s;
    s.index = index;
    s.name = name.toLower();
    s.description = name;
    s.volume = volume;
    s.muted = muted;
    return s;
}

struct SoundFixture : ::testing::Test {
    FakeAudioSystem audio;
    int changes = 0;

    std::unique_ptr<SoundProvider> make() {
        auto provider = std::make_unique<SoundProvider>(audio);
        provider->setOnChange([this] { ++changes; });
        return provider;
    }
    void speakersAt(double volume, bool muted = false) {
        audio.sinkList = {sink(0, "Speakers", volume, muted), sink(1, "Headphones")};
        audio.defaultSinkValue = "speakers";
    }
};

// --- the fan -----------------------------------------------------------------

TEST_F(SoundFixture, ControlsComeFirstThenDevicesWithTheDefaultDotted) {
    speakersAt(0.5);
    auto provider = make();
    const auto items = provider->items();
    EXPECT_EQ(test::itemLabels(items),
              QStringList({"Volume Up", "Volume Down", "Mute", "Speakers", "Headphones"}));
    EXPECT_EQ(items[0].sublabel, "50 %");
    EXPECT_EQ(items[1].sublabel, "50 %");
    EXPECT_FALSE(items[2].sublabel);
    EXPECT_EQ(items[0].icon().symbolName(), "speaker.wave.3");
    EXPECT_EQ(items[1].icon().symbolName(), "speaker.wave.1");
    EXPECT_EQ(items[2].icon().symbolName(), "speaker.slash");
    EXPECT_TRUE(items[3].showsRunningDot);
    EXPECT_FALSE(items[4].showsRunningDot);
    for (const MenuItem& item : items) {
        EXPECT_TRUE(item.keepsOpen);
        EXPECT_TRUE(item.action);
        EXPECT_TRUE(item.menuActions.empty());
        EXPECT_FALSE(item.preview);
    }
}

TEST_F(SoundFixture, FanShapesFollowTheEdgeCases) {
    struct Case {
        const char* what;
        int devices;
        bool withDefault;
        bool muted;
        QStringList expected;
    };
    const Case cases[] = {
        {"no default output: devices only, none dotted",
         9,
         false,
         false,
         {"D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7"}},
        {"seven devices with a volume: three controls and five devices",
         7,
         true,
         false,
         {"Volume Up", "Volume Down", "Mute", "D0", "D1", "D2", "D3", "D4"}},
        {"muted reads Unmute", 1, true, true, {"Volume Up", "Volume Down", "Unmute", "D0"}},
        {"nothing at all", 0, false, false, {"No Output Devices"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        audio.sinkList.clear();
        for (int i = 0; i < c.devices; ++i)
            audio.sinkList.push_back(sink(i, QStringLiteral("D%1").arg(i), 0.4, c.muted));
        audio.defaultSinkValue = c.withDefault ? "d0" : "";
        auto provider = make();
        const auto items = provider->items();
        EXPECT_EQ(test::itemLabels(items), c.expected);
        for (const MenuItem& item : items)
            EXPECT_EQ(item.showsRunningDot, c.withDefault && item.label() == "D0");
        if (c.muted) {
            EXPECT_EQ(items[2].icon().symbolName(), "speaker.slash.fill");
        }
        if (c.devices == 0) {
            EXPECT_FALSE(items[0].action);
            EXPECT_FALSE(items[0].keepsOpen);
            EXPECT_EQ(items[0].icon().symbolName(), "speaker");
        }
    }
}

TEST_F(SoundFixture, ADeviceWithoutANameIsNotListed) {
    speakersAt(0.5);
    audio.sinkList[1].description.clear();
    auto provider = make();
    EXPECT_EQ(test::itemLabels(provider->items()),
              QStringList({"Volume Up", "Volume Down", "Mute", "Speakers"}));
}

TEST(SoundTextTest, VolumeTextRoundsHalvesAwayFromZero) {
    const std::pair<double, const char*> cases[] = {{0.5, "50 %"},   {0.03125, "3 %"},
                                                    {0.125, "13 %"}, {0.0, "0 %"},
                                                    {1.0, "100 %"},  {1.5, "150 %"}};
    for (const auto& [volume, text] : cases)
        EXPECT_EQ(SoundProvider::volumeText(volume), text) << volume;
}

TEST(SoundTextTest, DeviceSymbolByNameThenByWhatTheServerKnows) {
    auto device = [](const char* formFactor, const char* port, const char* portType) {
        AudioSink s;
        s.formFactor = formFactor;
        s.activePort = port;
        s.activePortType = portType;
        return s;
    };
    struct Case {
        const char* name;
        AudioSink device;
        const char* symbol;
    };
    const Case cases[] = {
        {"Jo's AirPods Pro", {}, "airpodspro"},
        {"MacBook Pro Speakers", {}, "laptopcomputer"},
        {"LG Display", {}, "display"},
        {"Studio Monitor", {}, "display"},
        {"Living room TV", {}, "display"},
        {"USB Headphones", {}, "headphones"},
        {"Built-in Audio", device("headset", "", ""), "headphones"},
        {"Built-in Audio", device("headphone", "", ""), "headphones"},
        {"Built-in Audio", device("tv", "", ""), "display"},
        {"Built-in Audio", device("", "hdmi-output-0", ""), "display"},
        {"Built-in Audio", device("", "some-port", "hdmi"), "display"},
        {"Built-in Audio", device("internal", "analog-output-speaker", "speaker"), "hifispeaker"},
        // A name rule wins over the form factor.
        {"Headphones", device("tv", "", ""), "headphones"},
        {"Speakers", {}, "hifispeaker"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SoundProvider::deviceSymbol(c.name, c.device), c.symbol) << c.name;
}

TEST_F(SoundFixture, EverySymbolTheSectionShowsResolves) {
    QStringList shown;
    for (const bool muted : {false, true}) {
        speakersAt(0.5, muted);
        for (const MenuItem& item : make()->items())
            shown << item.icon().symbolName();
    }
    audio.sinkList.clear();
    for (const MenuItem& item : make()->items())
        shown << item.icon().symbolName();
    AudioSink headset;
    headset.formFactor = "headset";
    for (const char* name : {"AirPods", "MacBook", "TV", "Headphones", "Speakers"})
        shown << SoundProvider::deviceSymbol(name) << SoundProvider::deviceSymbol("x", headset);
    for (const QString& symbol : shown) {
        EXPECT_TRUE(SymbolCatalog::knownSymbols().contains(symbol)) << symbol.toStdString();
        EXPECT_FALSE(SymbolCatalog::icon(symbol).isNull()) << symbol.toStdString();
    }
}

// --- commands ----------------------------------------------------------------

TEST_F(SoundFixture, VolumeStepsWriteWhatTheEdgeCasesSay) {
    struct Case {
        const char* what;
        double volume;
        bool muted;
        double step;
        std::optional<double> written; // none: no volume write
        bool unmutes;
    };
    const double up = SoundProvider::volumeStep;
    const Case cases[] = {
        {"0.97 up reaches 1", 0.97, false, up, 1.0, false},
        {"0.03 down reaches 0", 0.03, false, -up, 0.0, false},
        {"at 100 % up writes nothing", 1.0, false, up, std::nullopt, false},
        {"at 100 % down lowers", 1.0, false, -up, 1.0 - up, false},
        {"above 100 % up writes nothing", 1.5, false, up, std::nullopt, false},
        {"above 100 % down lowers by one step", 1.5, false, -up, 1.5 - up, false},
        {"muted up raises and unmutes", 0.5, true, up, 0.5 + up, true},
        {"muted down stays muted", 0.5, true, -up, 0.5 - up, false},
        {"muted at 100 % up only unmutes", 1.0, true, up, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        speakersAt(c.volume, c.muted);
        audio.history.clear();
        auto provider = make();
        changes = 0;
        provider->stepVolume(c.step);
        audio.answerAll();
        std::optional<double> volumeWritten;
        bool unmuted = false;
        for (const Write& write : audio.history) {
            EXPECT_EQ(write.name, "speakers");
            if (write.kind == Write::Kind::sinkVolume)
                volumeWritten = write.volume;
            if (write.kind == Write::Kind::sinkMute)
                unmuted = !write.muted;
        }
        ASSERT_EQ(volumeWritten.has_value(), c.written.has_value());
        if (c.written) {
            EXPECT_DOUBLE_EQ(*volumeWritten, *c.written);
        }
        EXPECT_EQ(unmuted, c.unmutes);
        // Refreshed and announced, also when nothing was written.
        EXPECT_GE(changes, 1);
        if (c.written) {
            EXPECT_DOUBLE_EQ(*provider->volume(), *c.written);
        }
    }
}

TEST_F(SoundFixture, QuickTapsBuildOnTheLastRequestedVolume) {
    speakersAt(0.5);
    auto provider = make();
    for (int tap = 0; tap < 3; ++tap)
        provider->items()[0].action();
    ASSERT_EQ(audio.pending.size(), 3u);
    EXPECT_DOUBLE_EQ(audio.pending[0].volume, 0.5625);
    EXPECT_DOUBLE_EQ(audio.pending[1].volume, 0.625);
    EXPECT_DOUBLE_EQ(audio.pending[2].volume, 0.6875);
    audio.answerAll();
    EXPECT_DOUBLE_EQ(*provider->volume(), 0.6875);
    // With nothing in flight the next tap starts from the mirror again.
    audio.changeSink("speakers", 0.25, false);
    provider->stepVolume(SoundProvider::volumeStep);
    EXPECT_DOUBLE_EQ(audio.pending.back().volume, 0.3125);
}

TEST_F(SoundFixture, NothingHappensWithoutADefaultOutput) {
    audio.sinkList = {sink(0, "Speakers")};
    auto provider = make();
    provider->stepVolume(SoundProvider::volumeStep);
    provider->toggleMute();
    EXPECT_TRUE(audio.history.empty());
    EXPECT_EQ(changes, 0);
}

TEST_F(SoundFixture, MuteTogglesAndAnnouncesOnceConfirmed) {
    speakersAt(0.5);
    auto provider = make();
    provider->toggleMute();
    EXPECT_EQ(changes, 0);
    audio.answerAll();
    EXPECT_TRUE(provider->isMuted());
    EXPECT_GE(changes, 1);
    EXPECT_EQ(provider->items()[2].label(), "Unmute");
    // Two quick taps end where they started.
    provider->toggleMute();
    provider->toggleMute();
    ASSERT_EQ(audio.pending.size(), 2u);
    EXPECT_FALSE(audio.pending[0].muted);
    EXPECT_TRUE(audio.pending[1].muted);
}

TEST_F(SoundFixture, ChoosingADeviceMakesItTheDefaultEvenWhenItAlreadyIs) {
    speakersAt(0.5);
    auto provider = make();
    for (const char* label : {"Headphones", "Headphones"}) {
        const auto items = provider->items();
        const auto row = std::find_if(items.begin(), items.end(),
                                      [&](const MenuItem& i) { return i.label() == label; });
        changes = 0;
        row->action();
        audio.answerAll();
        EXPECT_EQ(audio.history.back().kind, Write::Kind::defaultSink);
        EXPECT_EQ(audio.history.back().name, "headphones");
        EXPECT_GE(changes, 1);
        EXPECT_TRUE(provider->devices()[1].isDefault);
    }
}

TEST_F(SoundFixture, AFailedSwitchIsLoggedAndStillRefreshes) {
    speakersAt(0.5);
    auto provider = make();
    provider->setDefaultOutput(1);
    audio.answerNext(/*PA_ERR_NOENTITY*/ 5);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(provider->devices()[0].isDefault);
}

// --- following changes made elsewhere ---------------------------------------

TEST_F(SoundFixture, OnlyTheDefaultOutputsChangesAreAnnounced) {
    speakersAt(0.5);
    auto provider = make();
    audio.changeSink("headphones", 0.2, true);
    EXPECT_EQ(changes, 0);
    audio.changeSink("speakers", 0.75, false);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(*provider->volume(), 0.75);

    audio.changeDefaultSink("headphones");
    EXPECT_EQ(changes, 2);
    audio.changeSink("speakers", 0.1, false);
    EXPECT_EQ(changes, 2);
    audio.changeSink("headphones", 0.3, false);
    EXPECT_EQ(changes, 3);

    AudioSink hdmi = sink(7, "HDMI");
    audio.addSink(hdmi);
    EXPECT_EQ(changes, 4);
    audio.removeSink("hdmi");
    EXPECT_EQ(changes, 5);
}

TEST_F(SoundFixture, AChangeMadeElsewhereReachesAnOpenDialsItems) {
    speakersAt(0.5);
    test::OneSectionDataSource dataSource(SectionKind::sound,
                                          std::make_unique<SoundProvider>(audio));
    ASSERT_NE(soundProvider(*dataSource), nullptr);
    int heard = 0;
    dataSource->addObserver([&] { ++heard; });
    dataSource->refresh();
    EXPECT_EQ(dataSource->items(SectionKind::sound)[0].sublabel, "50 %");
    audio.changeSink("speakers", 0.25, false);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(dataSource->items(SectionKind::sound)[0].sublabel, "25 %");
}

} // namespace
} // namespace vellaro
