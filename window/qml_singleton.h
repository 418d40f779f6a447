#pragma once

#include <QJSEngine>
#include <QQmlEngine>
#include <QPointer>

namespace orbitdeck {

// The one instance of T that C++ made, handed to every QML engine that asks for T's singleton.
// C++ keeps the ownership; before an instance is provided the engines get none.
template <typename T>
class ProvidedSingleton {
public:
    static void provide(T* instance) { slot() = instance; }
    static T* instance() { return slot(); }
    static T* create(QQmlEngine*, QJSEngine*) {
        T* provided = slot();
        if (provided)
            QJSEngine::setObjectOwnership(provided, QJSEngine::CppOwnership);
        return provided;
    }

private:
    static QPointer<T>& slot() {
        static QPointer<T> provided;
        return provided;
    }
};

} // namespace orbitdeck
