#include "till/globalhotkey.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <memory>

namespace shop::till {

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// X keysyms of the function keys.
unsigned int keysymOf(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 0xffbe + unsigned(qtKey - Qt::Key_F1);
    return 0;
}

// A grab must be made once for every lock-key state (Num Lock, Caps Lock) the keyboard may be in.
constexpr uint16_t kLockModifiers[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};

} // namespace

GlobalHotKey::GlobalHotKey(int qtKey, std::function<void()> pressed, QObject* parent)
    : QObject(parent), pressed_(std::move(pressed)) {
    xcb_connection_t* connection = x11Connection();
    const unsigned int keysym = keysymOf(qtKey);
    if (!connection || !keysym)
        return;
    std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(xcb_key_symbols_alloc(connection),
                                                                                 &xcb_key_symbols_free);
    if (!symbols)
        return;
    std::unique_ptr<xcb_keycode_t, decltype(&free)> codes(xcb_key_symbols_get_keycode(symbols.get(), keysym), &free);
    if (!codes || codes.get()[0] == XCB_NO_SYMBOL)
        return;
    keycode_ = codes.get()[0];
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen)
        return;
    root_ = screen->root;
    bool failed = false;
    for (uint16_t modifiers : kLockModifiers) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(connection, 1, root_, modifiers, xcb_keycode_t(keycode_),
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            free(error);
            failed = true; // another program holds the key
        }
    }
    if (failed) {
        unregister();
        return;
    }
    registered_ = true;
    qGuiApp->installNativeEventFilter(this);
}

GlobalHotKey::~GlobalHotKey() {
    if (registered_ && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    unregister();
}

void GlobalHotKey::unregister() {
    xcb_connection_t* connection = x11Connection();
    if (!connection || !keycode_ || !root_)
        return;
    for (uint16_t modifiers : kLockModifiers)
        xcb_ungrab_key(connection, xcb_keycode_t(keycode_), root_, modifiers);
    xcb_flush(connection);
    registered_ = false;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (press->detail != keycode_ || press->event != root_)
        return false;
    if (pressed_)
        pressed_();
    return true;
}

} // namespace shop::till
