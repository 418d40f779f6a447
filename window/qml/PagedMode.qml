import QtQuick

// Pages mode: the paged grid of the library view that loaded it. The library comes with the
// loading (an initial property), so the first page shown is the state's without a page turn.
PagedGrid {
    id: mode
    required property LibraryRoot library

    model: mode.library.tiles
    itemCount: mode.library.itemCount
    page: mode.library.page
    metrics: mode.library.metrics
    cell: mode.library.cell
    skin: mode.library.skin
    effects: mode.library.effects
    reduceMotion: mode.library.reduceMotion
    searching: mode.library.searching
    pageLabelFormat: mode.library.tr("Page %lld").replace("%lld", "%1")
    takesPageDrops: mode.library.takesPageDrops
    onPageRequested: (target, current, count) => mode.library.pageRequested(target, current, count)
    onPageSettled: target => mode.library.pageSettled(target)
    onTileDropped: (page, drop) => mode.library.tileDropped(page, drop)
}
