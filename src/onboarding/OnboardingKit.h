#pragma once

#include "model/Pal.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace vellaro {

class KitAccentButton;

// The elements every assistant page is built from.
namespace OnboardingKit {

QColor successGreen();
QColor waitingAmber();

// A label in `font` and `color` on a clear background.
QLabel* text(const QString& text, const QFont& font, const QColor& color);
QLabel* title(const QString& first, const QString& second, const Pal& pal);
QLabel* paragraph(const QString& text, const Pal& pal);
// The kit's accent button, tinted.
KitAccentButton* primaryButton(const QString& text, const Pal& pal, std::function<void()> action);
QPushButton* link(const QString& text, const Pal& pal, std::function<void()> action);
// A 7-point dot, green when satisfied, amber otherwise, and the text.
QWidget* statusRow(const QString& text, bool satisfied, const Pal& pal);

} // namespace OnboardingKit

} // namespace vellaro
