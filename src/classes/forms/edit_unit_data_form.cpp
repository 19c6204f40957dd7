#include "edit_unit_data_form.h"

#include "classes/class_order.h"
#include "classes/forms/symbol_preview.h"
#include "classes/forms/value_rows.h"
#include "classes/value_editing.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/sounds.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/piece_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace {
// For the rest of the run: warn about hidden-state changes, and ask once whether to go on warning.
bool show_hidden_change_warning = true;
bool ask_about_warning = true;
} // namespace

edit_unit_data_form::edit_unit_data_form(QWidget* parent, int index, int new_class)
    : form_base(parent), session_(begin_piece_edit(index, new_class)) {
    setObjectName("edit_unit_data_form");
    setWindowTitle("Edit Piece Values");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    label_7_ = new QLabel("1.  Enter Name:", this);
    label_7_->setObjectName("label_7");
    label_8_ = new QLabel("2.  Select Class:", this);
    label_8_->setObjectName("label_8");
    namebox_ = new QLineEdit(this);
    namebox_->setObjectName("namebox");
    namebox_->setMaxLength(25);
    classbox_ = new QComboBox(this);
    classbox_->setObjectName("classbox");
    top->addWidget(label_7_, 0, 0);
    top->addWidget(namebox_, 0, 1);
    top->addWidget(label_8_, 1, 0);
    top->addWidget(classbox_, 1, 1);
    preview_ = new QLabel(this);
    preview_->setObjectName("frame_3");
    preview_->setFixedSize(64, 64);
    preview_->setFrameShape(QFrame::Box);
    top->addWidget(preview_, 0, 2, 2, 1);
    layout->addLayout(top);
    on_top_ = new QCheckBox("3.  Draw this piece \"on top\" of others.", this);
    on_top_->setObjectName("on_top");
    layout->addWidget(on_top_);
    frame_4_ = new QFrame(this);
    frame_4_->setObjectName("frame_4");
    frame_4_->setFrameShape(QFrame::Box);
    auto* hidden_row = new QHBoxLayout(frame_4_);
    label_9_ = new QLabel("This piece is NOT hidden.", frame_4_);
    label_9_->setObjectName("label_9");
    hidden_row->addWidget(label_9_);
    layout->addWidget(frame_4_);
    auto* values = new QGridLayout;
    rows_ = new value_rows(this, values, "Piece", &session_.record.values);
    layout->addLayout(values);
    auto* note = new QLabel(
        "Note:  Value names (as shown on this screen) are shared and used equally by ALL pieces.", this);
    note->setObjectName("label_11");
    layout->addWidget(note);
    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel_button");
    delete_ = new QPushButton("Delete", this);
    delete_->setObjectName("delete_button");
    for (QPushButton* b : {ok_, cancel_, delete_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) { return on_ok(); }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
    for (QObject* clickable : {static_cast<QObject*>(label_9_), static_cast<QObject*>(frame_4_)})
        set_event_handlers(clickable, {{MouseDownEvent, [this](QObject*, event_data& e) {
                                            if (e.button == Qt::LeftButton) step_hidden_state();
                                            return true;
                                        }}});
    set_event_handlers(delete_, {{ClickEvent, [this](QObject*, event_data&) {
                                      const int piece = session_.edited;
                                      if (piece < 0 || !remove_pieces_hook) return true;
                                      const std::int32_t one[] = {piece};
                                      remove_pieces_hook(one);
                                      const piece_struct& p =
                                          game->piece_array[static_cast<std::size_t>(piece)];
                                      // Only a piece that left the board counts as deleted.
                                      if (p.location == location_free || p.in_pool()) {
                                          play_delete_sound();
                                          game_modified = 1;
                                          accept();
                                      }
                                      return true;
                                  }}});
}

QLineEdit* edit_unit_data_form::name_box(int k) const {
    return rows_->name_box(k);
}
QLineEdit* edit_unit_data_form::value_box(int k) const {
    return rows_->value_box(k);
}
QRadioButton* edit_unit_data_form::type_option(int k, int option) const {
    return rows_->type_option(k, option);
}

bool edit_unit_data_form::on_created() {
    apply_form_colour(this);
    const piece_struct& p = session_.record;
    if (session_.pooled_or_new) {
        delete_->setEnabled(false);
        setWindowTitle(p.in_pool() ? "Edit Values for this Piece (currently in a Pool)"
                                   : "Enter Values and Properties for a New Piece");
    } else {
        setWindowTitle("Edit Existing Piece Values and Information");
        label_7_->setText("Piece Name:");
        label_8_->setText("Class:");
        for (QLabel* l : {label_7_, label_8_})
            l->setStyleSheet("color: #0000c0;");
        on_top_->setChecked((p.flags & piece_flag_on_top) != 0);
    }
    label_9_->setText(mixed_to_qstring(hidden_state_line(p.hidden)));
    namebox_->setText(mixed_to_qstring(name_of(p.name)));
    namebox_->setFocus();
    rows_->show(game->piece_value_names, session_.record.value_types);
    for (const std::string& name : build_class_sort_order())
        classbox_->addItem(mixed_to_qstring(name));
    connect(classbox_, &QComboBox::currentIndexChanged, this, [this](int position) {
        const int c = class_at_sort_position(position);
        show_piece_symbol_preview(preview_,
                                  c >= 0 ? game->class_array[static_cast<std::size_t>(c)].symbol : -1);
    });
    classbox_->setCurrentIndex(sort_position_of_class(p.class_index));
    return false;
}

void edit_unit_data_form::step_hidden_state() {
    session_.record.hidden = static_cast<std::uint8_t>((session_.record.hidden + 1) % 3);
    label_9_->setText(mixed_to_qstring(hidden_state_line(session_.record.hidden)));
}

bool edit_unit_data_form::on_ok() {
    value_edit edit = rows_->read();
    piece_struct& p = session_.record;
    value_name names[8];
    const bool stored =
        check_and_store_values(edit, p.values, p.value_types, names, "Exisitng Value will be Lost!");
    rows_->show_texts(edit);
    if (!stored) return true;
    const int class_index = class_at_sort_position(classbox_->currentIndex());
    if (class_index < 0) {
        message_box("No Class Selected", "Select a class for this piece before it is saved.", box_buttons::ok,
                    box_icon::exclamation);
        return true;
    }
    std::memcpy(game->piece_value_names, names, sizeof names);
    set_name(p.name, from_qstring(namebox_->text()).substr(0, 25));
    p.name[25] = 0;
    p.class_index = class_index;
    bool clear_others = false;
    if (on_top_->isChecked()) {
        p.flags |= piece_flag_on_top;
        if (!p.in_pool() && !session_.new_piece && other_on_top_pieces(session_.edited, p.location))
            clear_others =
                message_box(
                    "Multiple 'On-Top' Pieces At Location",
                    "The is at least one other piece at this location designated to be 'On-Top'.\n\rIn this "
                    "case, the drawing rotuine will give priority to the piece(s) last created,  "
                    "\n\rdepending "
                    "on the 'Number Of Symbols To Show' setting.  \n\r\n\rWould you like to clear the "
                    "'On-Top' "
                    "settings from the other pieces \n\rat this location?",
                    box_buttons::yes_no, box_icon::question) == box_answer::yes;
    } else {
        p.flags &= static_cast<std::uint8_t>(~piece_flag_on_top);
    }
    bool record_hidden = false;
    if (!session_.new_piece && p.hidden != session_.old_hidden) {
        record_hidden = true;
        if (show_hidden_change_warning) {
            const std::string text =
                "This piece's hidden value was changed from:  \n\r" + hidden_state_name(session_.old_hidden) +
                " to " + hidden_state_name(p.hidden) +
                "  \n\r\n\rIf this change is accepted, you will not be able to Undo  \n\r"
                "any actions prior to this change.  Click OK to keep the  \n\r"
                "change, or Cancel to return the piece's hidden status to \n\r"
                "its original value.";
            if (message_box("Special Condition Warning", text, box_buttons::ok_cancel,
                            box_icon::exclamation) != box_answer::ok) {
                p.hidden = session_.old_hidden;
                record_hidden = false;
            }
            if (ask_about_warning) {
                if (message_box(
                        "Shoe Previous Message Again?",
                        "Do you want to see the previous warning again in this session?  \n\r"
                        "If you select No, hidden status changes will be made automatically.  \n\r\n\r"
                        "This option box will not appear again.",
                        box_buttons::yes_no, box_icon::question) == box_answer::no)
                    show_hidden_change_warning = false;
                ask_about_warning = false;
            }
        }
    }
    stored_ = commit_piece_edit(session_, record_hidden);
    if (stored_ >= 0 && clear_others) clear_other_on_top_pieces(stored_, p.location);
    accept();
    return true;
}

int run_piece_editor(int index, int new_class) {
    edit_unit_data_form f(dialog_parent(), index, new_class);
    f.create_form();
    f.exec();
    return f.stored_piece();
}
