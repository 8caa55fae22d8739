#pragma once
#include <functional>
#include <utility>

class QAbstractButton;
class QAbstractItemView;
class QWidget;

namespace mc::web {
class HtmlView;
}

namespace mc::readers {

// The views and controls the classics reader, the today-in-history page and the online lookup
// work with.
struct ReaderControls {
    web::HtmlView *reader = nullptr; // the classics page's view
    web::HtmlView *loader = nullptr; // hidden; fetches the today-in-history and online lookup pages
    QAbstractItemView *titles = nullptr;
    QAbstractItemView *pictureTitles = nullptr;
    QAbstractButton *onlineLookup = nullptr;
    // TForm6, where online lookups are shown, and its view: built when a lookup first shows.
    std::function<std::pair<QWidget *, web::HtmlView *>()> result;
};

// Wires the classics reader, the today-in-history page and the online lookup, then starts the
// reader's opening page and the today-in-history page loading. Called once the stores have
// opened, so a failed start loads and writes nothing.
void install(const ReaderControls &controls);

} // namespace mc::readers
