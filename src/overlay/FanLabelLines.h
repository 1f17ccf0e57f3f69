#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vellaro {

// How the titles of one fan are set so that its items stay apart: a title
// too wide for its item breaks onto two lines where the item has room for
// them and both fit; otherwise it is cut short, and where it begins like another
// title of the fan the shared words are shortened, not the word that tells
// the two apart ("Screensh… Area", "Screensh… Window").
namespace FanLabelLines {

struct Room {
    double oneLine = 0;  // width of a single line
    double twoLines = 0; // width of each of two lines; 0: no room for a second
};

// The width of a text in the title's font.
using Measure = std::function<double(const QString& text)>;

// The lines of each title, index for index with `titles` and `rooms`.
std::vector<QStringList> fit(const std::vector<QString>& titles, const std::vector<Room>& rooms,
                             const Measure& measure);

// `text` cut at the end with an ellipsis to fit `width`; whole when it fits,
// empty when not even the ellipsis does.
QString elided(const QString& text, double width, const Measure& measure);

} // namespace FanLabelLines

} // namespace vellaro
