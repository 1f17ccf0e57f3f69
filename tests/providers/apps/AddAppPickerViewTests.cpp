#include "providers/apps/AddAppPickerController.h"
#include "providers/apps/AddAppPickerView.h"

#include "AppsProviderFixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

std::vector<InstalledApp> someApps() {
    return {{"calculator", "Calculator", "/c"},
            {"files", "Files", "/f"},
            {"notes", "Notes", "/n"},
            {"safari", "Safari", "/s"},
            {"text-editor", "Text Editor", "/t"}};
}

QIcon squareIcon(const InstalledApp& app) {
    QImage image(44, 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv(static_cast<int>(qHash(app.bundleID) % 360), 160, 220));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 40, 40), 9, 9);
    return QIcon(QPixmap::fromImage(image));
}

// A view whose list arrives at once, with what add and cancel received.
struct PickerUnderTest {
    explicit PickerUnderTest(std::vector<InstalledApp> apps = someApps(),
                             AddAppPickerView::IconLoader icons = squareIcon)
        : view(
              {QStringLiteral("notes")},
              [apps](AddAppPickerView::Receiver receiver) { receiver(apps); },
              [this](const std::vector<InstalledApp>& picked) { added.push_back(picked); },
              [this] { ++cancelled; }, std::move(icons)) {
        view.show();
        QApplication::setActiveWindow(&view);
    }
    QLineEdit* search() { return view.findChild<QLineEdit*>(); }
    QListView* list() { return view.findChild<QListView*>(); }
    QPushButton* button(const QString& title) {
        for (QPushButton* b : view.findChildren<QPushButton*>()) {
            if (b->text() == title)
                return b;
        }
        return nullptr;
    }
    QString countText() {
        for (QLabel* label : view.findChildren<QLabel*>()) {
            if (label->text().endsWith(QLatin1String(" selected")))
                return label->text();
        }
        return {};
    }
    void selectRows(const QList<int>& rows) {
        QItemSelection selection;
        for (int row : rows)
            selection.select(list()->model()->index(row, 0), list()->model()->index(row, 0));
        list()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }

    std::vector<std::vector<InstalledApp>> added;
    int cancelled = 0;
    AddAppPickerView view;
};

TEST(AddAppPickerViewTest, TypingSelectingAndTheKeys) {
    PickerUnderTest picker;
    ASSERT_TRUE(picker.search());
    EXPECT_EQ(picker.search()->placeholderText(), QStringLiteral("Search installed applications"));
    EXPECT_EQ(picker.view.size(), QSize(440, 500));
    ASSERT_TRUE(picker.button("Add App"));
    EXPECT_FALSE(picker.button("Add App")->isEnabled());
    EXPECT_EQ(picker.countText(), QStringLiteral("0 selected"));

    picker.selectRows({1, 3}); // Files, Safari
    EXPECT_EQ(picker.countText(), QStringLiteral("2 selected"));
    ASSERT_TRUE(picker.button("Add 2 Apps"));

    QTest::keyClicks(picker.search(), QStringLiteral("saf"));
    EXPECT_EQ(picker.list()->model()->rowCount(), 1);
    EXPECT_EQ(picker.list()->selectionModel()->selectedIndexes().size(), 1)
        << "the shown row stays selected";
    EXPECT_EQ(picker.countText(), QStringLiteral("2 selected")) << "Files still counts";

    QTest::keyClick(picker.search(), Qt::Key_Escape);
    EXPECT_EQ(picker.cancelled, 1);
    EXPECT_TRUE(picker.added.empty());

    QTest::keyClick(picker.search(), Qt::Key_Return);
    ASSERT_EQ(picker.added.size(), 1u);
    ASSERT_EQ(picker.added[0].size(), 2u);
    EXPECT_EQ(picker.added[0][0].bundleID, QStringLiteral("files"));
    EXPECT_EQ(picker.added[0][1].bundleID, QStringLiteral("safari"));

    // Return with nothing new selected adds nothing.
    picker.search()->clear();
    picker.selectRows({2}); // Notes, already present
    QTest::keyClick(picker.list(), Qt::Key_Return);
    EXPECT_EQ(picker.added.size(), 1u);
    EXPECT_EQ(picker.countText(), QStringLiteral("0 selected"));
}

TEST(AddAppPickerViewTest, ShowsScanningUntilTheListArrives) {
    AddAppPickerView::Receiver answer;
    int asked = 0;
    AddAppPickerView view(
        {}, [&](AddAppPickerView::Receiver receiver) { answer = std::move(receiver), ++asked; },
        [](const std::vector<InstalledApp>&) {}, [] {}, squareIcon);
    EXPECT_EQ(asked, 0) << "asked only when shown";
    view.show();
    view.hide();
    view.show();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(view.findChild<QListView*>()->isHidden() ||
                !view.findChild<QListView*>()->isVisible());
    EXPECT_TRUE(view.model().isLoading());
    answer(someApps());
    EXPECT_FALSE(view.model().isLoading());
    EXPECT_TRUE(view.findChild<QListView*>()->isVisible());
}

TEST(AddAppPickerViewTest, LoadsIconsOnlyForVisibleRows) {
    std::vector<InstalledApp> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back({QStringLiteral("app%1").arg(i),
                        QStringLiteral("App %1").arg(i, 4, 10, QLatin1Char('0')),
                        {}});
    int loaded = 0;
    PickerUnderTest picker(many, [&loaded](const InstalledApp& app) {
        ++loaded;
        return squareIcon(app);
    });
    picker.view.grab();
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 60);
}

// A picture of the picker for the eye, written when VELLARO_PICTURES names a folder.
TEST(AddAppPickerViewTest, Picture) {
    PickerUnderTest picker;
    picker.selectRows({1, 3});
    const QImage image = picker.view.grab().toImage();
    EXPECT_EQ(image.size(), QSize(440, 500) * picker.view.devicePixelRatioF());
    const QString folder = qEnvironmentVariable("VELLARO_PICTURES");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(folder).filePath(QStringLiteral("add-app-picker.png"))));
    }
}

TEST(AddAppPickerControllerTest, CloseKeepsTheWindowAddAndCancelForgetIt) {
    test::AppsProviderFixture fixture;
    fixture.pinFile({"a"});
    fixture.installedApps = {{"a", "A", fixture.entryPath("a")},
                             {"b", "B", fixture.entryPath("b")},
                             {"c", "C", fixture.entryPath("c")}};
    AppsProvider& provider = fixture.make();
    AddAppPickerController controller(provider);

    controller.show();
    QWidget* window = controller.window();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Add Apps to Vellaro"));
    auto* view = window->findChild<AddAppPickerView*>();
    ASSERT_TRUE(view);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->model().isLoading(); }, 5000));
    view->findChild<QLineEdit*>()->setText(QStringLiteral("b"));

    window->close();
    controller.show();
    EXPECT_EQ(controller.window(), window) << "closing keeps the window";
    EXPECT_EQ(view->findChild<QLineEdit*>()->text(), QStringLiteral("b"));

    view->findChild<QLineEdit*>()->clear();
    QListView* list = view->findChild<QListView*>();
    list->selectAll();
    QPushButton* add = nullptr;
    for (QPushButton* b : view->findChildren<QPushButton*>())
        add = b->text() == QStringLiteral("Add 2 Apps") ? b : add;
    ASSERT_TRUE(add);
    add->click();
    EXPECT_EQ(fixture.pinnedIds(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(controller.window(), nullptr) << "adding forgets the window";

    controller.show();
    view = controller.window()->findChild<AddAppPickerView*>();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->model().isAlreadyPresent(QStringLiteral("c"))) << "a fresh window";
    for (QPushButton* b : view->findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("Cancel"))
            b->click();
    }
    EXPECT_EQ(controller.window(), nullptr) << "cancelling forgets the window";
}

} // namespace
} // namespace vellaro
