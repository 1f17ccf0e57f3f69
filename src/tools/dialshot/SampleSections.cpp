#include "SampleSections.h"

#include <QStringList>

namespace vellaro::dialshot {

namespace {

struct Sample {
    const char* label;
    const char* sublabel;
};

const std::vector<Sample>& samplesFor(SectionKind kind) {
    static const std::vector<Sample> workspaces{
        {"Writing", "3 apps"}, {"Research", "5 apps"}, {"Review", nullptr}, {"Evening", nullptr},
        {"Focus", nullptr},    {"Meetings", nullptr},  {"Design", nullptr}, {"Capture", nullptr}};
    static const std::vector<Sample> windows{{"Left Half", nullptr},    {"Right Half", nullptr},
                                             {"Maximise", nullptr},     {"Centre", nullptr},
                                             {"Top Half", nullptr},     {"Bottom Half", nullptr},
                                             {"Next Display", nullptr}, {"Minimise", nullptr}};
    static const std::vector<Sample> apps{
        {"Terminal", nullptr}, {"Files", nullptr}, {"Browser", nullptr}, {"Mail", nullptr},
        {"Calendar", nullptr}, {"Notes", nullptr}, {"Music", nullptr},   {"Add App", nullptr}};
    static const std::vector<Sample> files{{"report-final.pdf", "2 min ago"},
                                           {"Downloads", nullptr},
                                           {"budget.ods", "yesterday"},
                                           {"photos", nullptr},
                                           {"notes.md", nullptr},
                                           {"slides.odp", nullptr},
                                           {"invoice-0423.pdf", nullptr},
                                           {"Projects", nullptr}};
    static const std::vector<Sample> clipboard{{"Meeting at 3 pm in the blue room", "Text"},
                                               {"https://example.org/a/very/long/link", "Link"},
                                               {"SELECT * FROM orders", nullptr},
                                               {"Thanks, that works!", nullptr},
                                               {"42 Harbour Street", nullptr},
                                               {"#7f7fe8", nullptr},
                                               {"git rebase -i HEAD~3", nullptr},
                                               {"History…", nullptr}};
    static const std::vector<Sample> sound{{"Speakers", "Output"},
                                           {"Headphones", nullptr},
                                           {"Volume Down", nullptr},
                                           {"Volume Up", nullptr},
                                           {"Mute", nullptr}};
    static const std::vector<Sample> actions{
        {"Screenshot Area", nullptr}, {"Screenshot Window", nullptr}, {"Focus", nullptr},
        {"Dark Mode", nullptr},       {"Lock Screen", nullptr},       {"Mute Mic", nullptr},
        {"Keep Awake", nullptr},      {"Empty Trash", nullptr}};
    switch (kind) {
    case SectionKind::workspaces:
        return workspaces;
    case SectionKind::windows:
        return windows;
    case SectionKind::apps:
        return apps;
    case SectionKind::files:
        return files;
    case SectionKind::clipboard:
        return clipboard;
    case SectionKind::sound:
        return sound;
    case SectionKind::actions:
        break;
    }
    return actions;
}

class SampleProvider final : public SectionProvider {
public:
    SampleProvider(SectionKind kind, int count) : kind_(kind), count_(count) {}

    std::vector<MenuItem> items() override {
        const auto& samples = samplesFor(kind_);
        std::vector<MenuItem> list;
        for (int i = 0; i < count_; ++i) {
            const Sample& s = samples[std::size_t(i) % samples.size()];
            // Sample items wear their section's symbol, which always resolves.
            MenuItem item(QString::fromUtf8(s.label), MenuItem::Icon::symbol(sectionSymbol(kind_)));
            if (s.sublabel)
                item.sublabel = QString::fromUtf8(s.sublabel);
            item.showsRunningDot = kind_ == SectionKind::apps && i < 2;
            if (kind_ == SectionKind::clipboard)
                item.preview = MenuItem::Preview::text(item.label());
            list.push_back(std::move(item));
        }
        return list;
    }

private:
    SectionKind kind_;
    int count_;
};

} // namespace

std::unique_ptr<SectionProvider> makeSampleProvider(SectionKind kind, int itemCount) {
    return std::make_unique<SampleProvider>(kind, itemCount);
}

} // namespace vellaro::dialshot
