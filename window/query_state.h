#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The search text and the focus of the search field.
class QueryState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged FINAL)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY queryChanged FINAL)
    Q_PROPERTY(bool searchFocused READ searchFocused WRITE setSearchFocused NOTIFY
                   searchFocusedChanged FINAL)
    Q_PROPERTY(int pageBeforeSearch READ pageBeforeSearch WRITE setPageBeforeSearch NOTIFY
                   pageBeforeSearchChanged FINAL)

public:
    using QObject::QObject;

    QString query() const { return query_; }
    void setQuery(const QString& query);
    // A query of white space and line breaks only is no search.
    bool isSearching() const;
    bool searchFocused() const { return searchFocused_; }
    void setSearchFocused(bool focused);
    int pageBeforeSearch() const { return pageBeforeSearch_; }
    void setPageBeforeSearch(int page);

    Q_INVOKABLE void clear() { setQuery({}); }

signals:
    void queryChanged();
    void searchFocusedChanged();
    void pageBeforeSearchChanged();

private:
    QString query_;
    bool searchFocused_ = false;
    int pageBeforeSearch_ = 0;
};

} // namespace orbitdeck
