// The baseline of the hot-key benchmark: a plain Qt window that grabs Control+Alt+Space on the
// root window and shows or hides itself on each press, with no fades and no state.
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

class PlainWindow final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), Qt::darkBlue);
    }
};

class ToggleOnKey final : public QAbstractNativeEventFilter {
public:
    ToggleOnKey(QWindow& window, xcb_keycode_t code)
        : window_(window)
        , code_(code) {}

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        if (reinterpret_cast<const xcb_key_press_event_t*>(event)->detail != code_)
            return false;
        if (window_.isVisible()) {
            window_.hide();
        } else {
            window_.show();
            window_.raise();
            window_.requestActivate();
        }
        return true;
    }

private:
    QWindow& window_;
    xcb_keycode_t code_;
};

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    auto* native = app.nativeInterface<QNativeInterface::QX11Application>();
    if (!native)
        return 2;
    xcb_connection_t* connection = native->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 0x20);
    if (!codes)
        return 2;
    const xcb_keycode_t space = *codes;
    std::free(codes);
    xcb_key_symbols_free(symbols);
    xcb_grab_key(connection, 1, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, space,
                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_flush(connection);

    PlainWindow window;
    window.setTitle(QStringLiteral("bare-hot-key-window"));
    window.resize(1040, 680);
    ToggleOnKey filter(window, space);
    app.installNativeEventFilter(&filter);
    window.show();
    return QGuiApplication::exec();
}
