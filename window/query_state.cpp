#include "window/query_state.h"

#include "window/state_assign.h"

namespace orbitdeck {

void QueryState::setQuery(const QString& value) {
    assignAndNotify(this, query_, QString(value), &QueryState::queryChanged);
}

bool QueryState::isSearching() const {
    return !query_.trimmed().isEmpty();
}

void QueryState::setSearchFocused(bool value) {
    assignAndNotify(this, searchFocused_, value, &QueryState::searchFocusedChanged);
}

void QueryState::setPageBeforeSearch(int value) {
    assignAndNotify(this, pageBeforeSearch_, value, &QueryState::pageBeforeSearchChanged);
}

} // namespace orbitdeck
