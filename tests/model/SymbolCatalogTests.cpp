#include "model/SectionKind.h"
#include "model/SymbolCatalog.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Opaque pixels of the image, counted.
int inkedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    return count;
}

void expectResolves(const QString& symbol) {
    const QColor tint(200, 30, 40);
    const QImage image = SymbolCatalog::image(symbol, 32, tint);
    ASSERT_FALSE(image.isNull()) << symbol.toStdString();
    EXPECT_EQ(image.size(), QSize(32, 32));
    // Something is drawn, yet not a filled square, and all of it in the tint.
    const int inked = inkedPixels(image);
    EXPECT_GT(inked, 20) << symbol.toStdString();
    EXPECT_LT(inked, 32 * 32 * 3 / 4) << symbol.toStdString();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                ASSERT_EQ(pixel.rgb(), tint.rgb()) << symbol.toStdString();
            }
        }
    }
}

TEST(SymbolCatalogTest, EverySectionSymbolResolves) {
    for (SectionKind kind : allSectionKinds)
        expectResolves(sectionSymbol(kind));
}

TEST(SymbolCatalogTest, EveryKnownSymbolResolves) {
    const QStringList known = SymbolCatalog::knownSymbols();
    for (SectionKind kind : allSectionKinds)
        EXPECT_TRUE(known.contains(sectionSymbol(kind)));
    // The dial's back sign, the add items' sign, the microphone explainer's icon and
    // the haptics setup's mouse.
    for (const char* sign : {"chevron.backward", "plus", "mic", "computermouse"})
        EXPECT_TRUE(known.contains(QLatin1String(sign))) << sign;
    for (const QString& symbol : known)
        expectResolves(symbol);

    // A sheet of every symbol, to look at.
    const int size = 64;
    QImage sheet(size * known.size(), size, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < known.size(); ++i)
        painter.drawImage(i * size, 0, SymbolCatalog::image(known[i], size, QColor(60, 60, 70)));
    painter.end();
    QDir().mkpath(QStringLiteral(VELLARO_TEST_OUTPUT_DIR));
    sheet.save(QStringLiteral(VELLARO_TEST_OUTPUT_DIR "/symbols.png"));
}

TEST(SymbolCatalogTest, AnUnknownNameGivesNothing) {
    EXPECT_TRUE(SymbolCatalog::icon(QStringLiteral("no.such.symbol")).isNull());
    EXPECT_TRUE(SymbolCatalog::image(QStringLiteral("no.such.symbol"), 32, Qt::black).isNull());
    EXPECT_TRUE(SymbolCatalog::image(QStringLiteral("folder"), 0, Qt::black).isNull());
}

} // namespace
} // namespace vellaro
