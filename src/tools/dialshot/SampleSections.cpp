#include "SampleSections.h"

#include <QStringList>

namespace vellaro::dialshot {

namespace {

struct Sample {
    const char* label;
    const char* symbol;
    const char* sublabel;
};

const std::vector<Sample>& samplesFor(SectionKind kind) {
    static const std::vector<Sample> workspaces{
        {"Writing", "rectangle.3.group", "3 apps"}, {"Research", "rectangle.3.group", "5 apps"},
        {"Review", "rectangle.3.group", nullptr},   {"Evening", "rectangle.3.group", nullptr},
        {"Focus", "rectangle.3.group", nullptr},    {"Meetings", "rectangle.3.group", nullptr},
        {"Design", "rectangle.3.group", nullptr},   {"Capture", "plus", nullptr}};
    static const std::vector<Sample> windows{
        {"Left Half", "rectangle.lefthalf.filled", nullptr},
        {"Right Half", "rectangle.righthalf.filled", nullptr},
        {"Maximise", "macwindow", nullptr},
        {"Centre", "macwindow", nullptr},
        {"Top Half", "rectangle.tophalf.filled", nullptr},
        {"Bottom Half", "rectangle.bottomhalf.filled", nullptr},
        {"Next Display", "display", nullptr},
        {"Minimise", "minus", nullptr}};
    static const std::vector<Sample> apps{
        {"Terminal", "terminal", nullptr}, {"Files", "folder", nullptr},
        {"Browser", "globe", nullptr},     {"Mail", "envelope", nullptr},
        {"Calendar", "calendar", nullptr}, {"Notes", "note.text", nullptr},
        {"Music", "music.note", nullptr},  {"Add App", "plus", nullptr}};
    static const std::vector<Sample> files{{"report-final.pdf", "doc", "2 min ago"},
                                           {"Downloads", "folder", nullptr},
                                           {"budget.ods", "doc", "yesterday"},
                                           {"photos", "folder", nullptr},
                                           {"notes.md", "doc", nullptr},
                                           {"slides.odp", "doc", nullptr},
                                           {"invoice-0423.pdf", "doc", nullptr},
                                           {"Projects", "folder", nullptr}};
    static const std::vector<Sample> clipboard{
        {"Meeting at 3 pm in the blue room", "doc.on.clipboard", "Text"},
        {"https://example.org/a/very/long/link", "link", "Link"},
        {"SELECT * FROM orders", "doc.on.clipboard", nullptr},
        {"Thanks, that works!", "doc.on.clipboard", nullptr},
        {"42 Harbour Street", "doc.on.clipboard", nullptr},
        {"#7f7fe8", "doc.on.clipboard", nullptr},
        {"git rebase -i HEAD~3", "doc.on.clipboard", nullptr},
        {"History…", "clock", nullptr}};
    static const std::vector<Sample> sound{{"Speakers", "speaker.wave.2", "Output"},
                                           {"Headphones", "headphones", nullptr},
                                           {"Volume Down", "speaker.wave.1", nullptr},
                                           {"Volume Up", "speaker.wave.3", nullptr},
                                           {"Mute", "speaker.slash", nullptr}};
    static const std::vector<Sample> actions{{"Screenshot Area", "camera.viewfinder", nullptr},
                                             {"Screenshot Window", "macwindow", nullptr},
                                             {"Focus", "moon", nullptr},
                                             {"Dark Mode", "circle.lefthalf.filled", nullptr},
                                             {"Lock Screen", "lock", nullptr},
                                             {"Mute Mic", "mic.slash", nullptr},
                                             {"Keep Awake", "cup.and.saucer", nullptr},
                                             {"Empty Trash", "trash", nullptr}};
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
            MenuItem item(QString::fromUtf8(s.label), MenuItem::Icon::symbol(s.symbol));
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
