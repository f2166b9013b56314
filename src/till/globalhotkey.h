// A key that reaches the till from anywhere on the desktop (F9 shows or hides the till). Works
// where the session is X11; elsewhere registering fails, and the key then does nothing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <functional>

namespace shop::till {

class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // `qtKey` without modifiers, e.g. Qt::Key_F9.
    GlobalHotKey(int qtKey, std::function<void()> pressed, QObject* parent = nullptr);
    ~GlobalHotKey() override;

    // False when the desktop does not allow it (not X11, or another program holds the key).
    bool registered() const { return registered_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void unregister();

    std::function<void()> pressed_;
    bool registered_ = false;
    unsigned int keycode_ = 0;
    unsigned int root_ = 0;
};

} // namespace shop::till
