// The form machinery: every window of the program is a form whose events go to handler
// tables. A handler returns true when it has handled the event; that stops the event there
// (for a close, the window stays open).
#pragma once

#include <QDialog>
#include <QEvent>
#include <QPoint>
#include <QSize>

#include <functional>
#include <map>
#include <vector>

class QTimer;

enum event_id {
    NullEvent = 0,
    CreateEvent,
    CloseEvent,
    DestroyEvent,
    ActivateEvent,
    CharacterPressEvent,
    GotFocusEvent,
    KeyDownEvent,
    PaintEvent,
    ResizeEvent,
    SystemCommandEvent,
    UserEvent,
    ClickEvent,
    DoubleClickEvent,
    MouseDownEvent,
    MouseUpEvent,
    MouseMoveEvent,
    TimerEvent,
    ScrollEvent,
    GetCursorEvent,
    InitMenuEvent,
};

struct event_data {
    event_id id = NullEvent;
    QEvent* qt_event = nullptr; // the toolkit event behind it, when there is one
    int user_value = 0;         // UserEvent
    QSize old_size, new_size;   // ResizeEvent
    int key = 0;                // KeyDownEvent, CharacterPressEvent
    Qt::KeyboardModifiers modifiers;
    QPoint pos;                 // mouse events, in the source's coordinates
    Qt::MouseButton button = Qt::NoButton;
    int scroll_value = 0;       // ScrollEvent
    int scroll_action = 0;      // ScrollEvent: QAbstractSlider::SliderAction
};

class form_base;
using event_handler = std::function<bool(QObject* source, event_data& ev)>;

struct event_row {
    event_id id;
    event_handler handler;
};

// The event type that carries a posted user event's value.
class user_event : public QEvent {
public:
    static QEvent::Type type();
    explicit user_event(int value) : QEvent(type()), value_(value) {}
    int value() const { return value_; }

private:
    int value_;
};

class form_base : public QDialog {
    Q_OBJECT
public:
    explicit form_base(QWidget* parent = nullptr);
    ~form_base() override;

    // Registers every row of the table with one source: the form itself, a control, a menu
    // action or a timer. A table ends at its first NullEvent row.
    void set_event_handlers(QObject* source, const std::vector<event_row>& table);
    void reset_event_handlers(QObject* source);

    // Queues a user event; the form's UserEvent handlers run once the current handler returned.
    void post_user_event(int value);

    // Runs the handlers registered for the event; true when one of them handled it.
    bool dispatch(QObject* source, event_data& ev);

    // Builds the window: runs the CreateEvent handlers once.
    void create_form();

    // A window that holds the game (the main window, its game windows) takes no command while a
    // long operation runs: clicks, menu commands, timers, posted events, resizes and closing
    // are put off until it ended, mouse and keys are dropped; painting goes on. Dialogs that an
    // operation opens itself are not held.
    void hold_while_long_operation(bool on = true) { held_while_busy_ = on; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool translate(QObject* source, QEvent* e);
    void hook_source(QObject* source);

    std::map<QObject*, std::vector<event_row>> tables_;
    std::vector<QMetaObject::Connection> connections_;
    bool created_ = false;
    bool held_while_busy_ = false;
};
