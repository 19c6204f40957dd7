#include "form.h"
#include "app_services.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>

QEvent::Type user_event::type() {
    static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
    return t;
}

form_base::form_base(QWidget* parent) : QDialog(parent) {}

form_base::~form_base() {
    event_data d;
    d.id = DestroyEvent;
    dispatch(this, d);
    for (auto& c : connections_)
        QObject::disconnect(c);
}

void form_base::create_form() {
    if (created_) return;
    created_ = true;
    event_data d;
    d.id = CreateEvent;
    dispatch(this, d);
}

void form_base::hook_source(QObject* source) {
    if (source == this || tables_.count(source)) return;
    // Signals of controls become events; widgets' own events come through the filter.
    if (auto* button = qobject_cast<QAbstractButton*>(source)) {
        connections_.push_back(connect(button, &QAbstractButton::clicked, this, [this, button] {
            event_data d;
            d.id = ClickEvent;
            dispatch(button, d);
        }));
    }
    // A new choice in a drop-down or a list is its click, as the forms' tables expect.
    if (auto* combo = qobject_cast<QComboBox*>(source)) {
        connections_.push_back(connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] {
            event_data d;
            d.id = ClickEvent;
            dispatch(combo, d);
        }));
    }
    if (auto* list = qobject_cast<QListWidget*>(source)) {
        connections_.push_back(connect(list, &QListWidget::currentRowChanged, this, [this, list] {
            event_data d;
            d.id = ClickEvent;
            dispatch(list, d);
        }));
    }
    if (auto* action = qobject_cast<QAction*>(source)) {
        connections_.push_back(connect(action, &QAction::triggered, this, [this, action] {
            event_data d;
            d.id = ClickEvent;
            dispatch(action, d);
        }));
    }
    if (auto* menu = qobject_cast<QMenu*>(source)) {
        connections_.push_back(connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            event_data d;
            d.id = InitMenuEvent;
            dispatch(menu, d);
        }));
    }
    if (auto* slider = qobject_cast<QAbstractSlider*>(source)) {
        connections_.push_back(
            connect(slider, &QAbstractSlider::actionTriggered, this, [this, slider](int a) {
                event_data d;
                d.id = ScrollEvent;
                d.scroll_action = a;
                d.scroll_value = slider->sliderPosition();
                dispatch(slider, d);
            }));
    }
    if (auto* timer = qobject_cast<QTimer*>(source)) {
        connections_.push_back(connect(timer, &QTimer::timeout, this, [this, timer] {
            event_data d;
            d.id = TimerEvent;
            dispatch(timer, d);
        }));
    }
    if (source->isWidgetType()) source->installEventFilter(this);
}

void form_base::set_event_handlers(QObject* source, const std::vector<event_row>& table) {
    hook_source(source);
    auto& rows = tables_[source];
    for (const auto& row : table) {
        if (row.id == NullEvent) break;
        rows.push_back(row);
    }
}

void form_base::reset_event_handlers(QObject* source) {
    tables_.erase(source);
}

void form_base::post_user_event(int value) {
    QCoreApplication::postEvent(this, new user_event(value));
}

bool form_base::dispatch(QObject* source, event_data& ev) {
    auto it = tables_.find(source);
    if (it == tables_.end()) return false;
    if (held_while_busy_ && long_operation_running()) {
        switch (ev.id) {
        case CloseEvent:
            after_long_operation([self = QPointer<form_base>(this)] {
                if (self) self->close();
            });
            return true; // stays open for now
        case ClickEvent:
        case TimerEvent:
        case UserEvent:
        case ScrollEvent:
        case ResizeEvent:
        case InitMenuEvent:
        case SystemCommandEvent: {
            event_data later = ev;
            later.qt_event = nullptr; // gone by then
            after_long_operation([self = QPointer<form_base>(this), from = QPointer<QObject>(source), later] {
                event_data e = later;
                if (self && from) self->dispatch(from, e);
            });
            return true;
        }
        case DoubleClickEvent:
        case MouseDownEvent:
        case MouseUpEvent:
        case MouseMoveEvent:
        case KeyDownEvent:
        case CharacterPressEvent:
            return true;
        default:
            break;
        }
    }
    // Copy: a handler may change the table while it runs.
    std::vector<event_row> rows = it->second;
    for (const auto& row : rows)
        if (row.id == ev.id && row.handler && row.handler(source, ev)) return true;
    return false;
}

bool form_base::translate(QObject* source, QEvent* e) {
    event_data d;
    d.qt_event = e;
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        d.id = KeyDownEvent;
        d.key = k->key();
        d.modifiers = k->modifiers();
        if (dispatch(source, d)) return true;
        if (!k->text().isEmpty()) {
            d.id = CharacterPressEvent;
            return dispatch(source, d);
        }
        return false;
    }
    case QEvent::Resize: {
        auto* r = static_cast<QResizeEvent*>(e);
        d.id = ResizeEvent;
        d.old_size = r->oldSize();
        d.new_size = r->size();
        return dispatch(source, d);
    }
    case QEvent::Paint:
        d.id = PaintEvent;
        return dispatch(source, d);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        d.id = e->type() == QEvent::MouseButtonPress     ? MouseDownEvent
               : e->type() == QEvent::MouseButtonRelease ? MouseUpEvent
               : e->type() == QEvent::MouseMove          ? MouseMoveEvent
                                                         : DoubleClickEvent;
        d.pos = m->position().toPoint();
        d.button = m->button();
        d.modifiers = m->modifiers();
        return dispatch(source, d);
    }
    case QEvent::WindowActivate:
        d.id = ActivateEvent;
        return dispatch(source, d);
    case QEvent::FocusIn:
        d.id = GotFocusEvent;
        return dispatch(source, d);
    case QEvent::Enter:
    case QEvent::HoverMove:
        d.id = GetCursorEvent;
        return dispatch(source, d);
    default:
        if (e->type() == user_event::type()) {
            d.id = UserEvent;
            d.user_value = static_cast<user_event*>(e)->value();
            dispatch(source, d);
            return true;
        }
        return false;
    }
}

bool form_base::event(QEvent* e) {
    if (e->type() != QEvent::Close && translate(this, e)) return true;
    return QDialog::event(e);
}

bool form_base::eventFilter(QObject* watched, QEvent* e) {
    if (watched != this && translate(watched, e)) return true;
    return QDialog::eventFilter(watched, e);
}

void form_base::closeEvent(QCloseEvent* e) {
    event_data d;
    d.id = CloseEvent;
    d.qt_event = e;
    if (dispatch(this, d)) {
        e->ignore();
        return;
    }
    // Not through reject(): a form may give Escape its own meaning.
    e->accept();
    done(QDialog::Rejected);
}
