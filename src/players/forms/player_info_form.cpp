#include "player_info_form.h"

#include "ui_player_info_form.h"

#include "data/dialog_globals.h"
#include "data/game_file.h"
#include "data/message_boxes.h"
#include "data/records.h"
#include "data/symbols.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/settings_files.h"
#include "platform/bitmap.h"
#include "platform/bitmap_qt.h"
#include "platform/boxes.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/forms/password_form.h"
#include "players/log_on.h"
#include "players/player_pictures.h"
#include "players/player_records.h"
#include "players/visibility.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {
constexpr std::int32_t no_symbol = 30001;
constexpr std::int32_t none_selected = 63001;
constexpr int symbol_role = Qt::UserRole;

player_struct& record(int index) {
    return game->player_array[static_cast<std::size_t>(index)];
}

// Folders compared as paths: "x/Pics" and "x/Pics/" are one folder.
bool same_folder(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() &&
           QString::compare(QDir::cleanPath(path_to_qstring(a)), QDir::cleanPath(path_to_qstring(b)),
                            Qt::CaseInsensitive) == 0;
}

// The piece symbol's cell of the largest loaded strip, scaled by one factor into the box.
QImage symbol_image(std::int32_t n, int box_width, int box_height) {
    const symbol_struct* s = symbols->piece_symbol(n);
    if (!s || box_width < 1 || box_height < 1) return {};
    for (int zoom = 2; zoom >= 0; --zoom) {
        const bitmap& strip = symbols->strips[symbol_kind_piece][zoom];
        if (strip.is_null()) continue;
        const QImage& image = strip.native()->image;
        const QRect cell = QRect(QPoint(s->left[zoom], s->top[zoom]), QPoint(s->right[zoom], s->bottom[zoom]))
                               .intersected(image.rect());
        if (cell.width() < 1 || cell.height() < 1) continue;
        const double f = std::min(static_cast<double>(box_width) / cell.width(),
                                  static_cast<double>(box_height) / cell.height());
        return image.copy(cell).scaled(std::max(1, static_cast<int>(cell.width() * f)),
                                       std::max(1, static_cast<int>(cell.height() * f)),
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return {};
}
} // namespace

player_info_form::player_info_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::player_info_form>()) {
    ui_->setupUi(this);
    install_player_form_hooks();
    ui_->syms_unsorted->hide();
    ui_->syms_sorted->hide();
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->combo_1, {{ClickEvent, [this](QObject*, event_data&) {
                                           if (filling_) return false;
                                           const int row = ui_->combo_1->currentIndex();
                                           if (row < 0) return false;
                                           symbol_ = ui_->combo_1->itemData(row, symbol_role).toInt();
                                           show_symbol_preview();
                                           ui_->default_sym->setChecked(true);
                                           ui_->use_hidden->setChecked(true);
                                           return true;
                                       }}});
    connect(ui_->combo_1, &QComboBox::activated, this, [this] {
        event_data d;
        d.id = ClickEvent;
        dispatch(ui_->combo_1, d);
    });
    set_event_handlers(ui_->change_pass, {{ClickEvent, [this](QObject*, event_data&) {
                                               ask_new_player_password(-1);
                                               new_password_ = form_result_text;
                                               return true;
                                           }}});
    set_event_handlers(ui_->use_pass, {{ClickEvent, [this](QObject*, event_data&) {
                                            if (ui_->use_pass->isChecked() && !had_password_) {
                                                ask_new_player_password(-1);
                                                if (!form_result_text.empty())
                                                    new_password_ = form_result_text;
                                            }
                                            return true;
                                        }}});
    set_event_handlers(ui_->sort_syms, {{ClickEvent, [this](QObject*, event_data&) {
                                             const QString name = symbol_ == none_selected
                                                                      ? QString()
                                                                      : ui_->combo_1->currentText();
                                             fill_symbol_box();
                                             select_symbol_by_name(name);
                                             return true;
                                         }}});
    set_event_handlers(ui_->browse, {{ClickEvent, [this](QObject*, event_data&) {
                                          browse_for_picture();
                                          return true;
                                      }}});
    set_event_handlers(ui_->cb_1, {{ClickEvent, [this](QObject*, event_data&) {
                                        clear_picture();
                                        return true;
                                    }}});
    set_event_handlers(ui_->cb_2, {{ClickEvent, [this](QObject*, event_data&) {
                                        save();
                                        return true;
                                    }}});
    set_event_handlers(ui_->cb_3, {{ClickEvent, [this](QObject*, event_data&) {
                                        reject();
                                        return true;
                                    }}});
}

player_info_form::~player_info_form() = default;

bool player_info_form::on_created() {
    apply_form_colour(this);
    had_password_ = false;
    picture_present_ = false;
    int e = edit_index;
    const int players = players_in_game();
    if (e < 0 || e >= players) {
        // The end record (or an index past it): a new player.
        e = grow_player_array();
        if (e < 0) return false;
        new_player_ = true;
        if (e == 0 &&
            message_box(
                "First Player GAMEMASTER Option",
                "The first player may be defined as a GAMEMASTER. \n\r\n\rThe GAMEMASTER is able to see and "
                "move every piece  \n\ron the board, irrespective of which player the \n\rpiece actually "
                "belongs to.  Only one GAMEMASTER\n\rcan be defined for a game\n\r\n\rDo you want to have "
                "the first player be set up\n\r\tas a GAMEMASTER?",
                box_buttons::yes_no, box_icon::question) == box_answer::yes) {
            set_name(record(0).name, "GAMEMASTER");
            ask_new_player_password(0);
            record(0).flags |= 0x0F;
            ui_->cb_3->setEnabled(false);
        }
    }
    index_ = e;
    player_struct& p = record(e);

    ui_->syms_unsorted->clear();
    ui_->syms_sorted->clear();
    const int count =
        std::min<int>(symbols->piece_symbol_count, static_cast<int>(symbols->piece_symbols.size()));
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(
            to_qstring(name_of(symbols->piece_symbols[static_cast<std::size_t>(i)].name)));
        item->setData(symbol_role, i);
        ui_->syms_unsorted->addItem(item);
        ui_->syms_sorted->addItem(item->clone());
    }
    ui_->syms_sorted->sortItems();
    fill_symbol_box();

    ui_->name->setText(to_qstring(name_of(p.name)));
    if (p.flags & player_flag_game_master) ui_->name->setEnabled(false);
    if (p.password[0] != 0) {
        had_password_ = true;
        ui_->use_pass->setChecked(true);
    } else {
        ui_->change_pass->setEnabled(false);
    }
    ui_->updown_1->setValue(std::min<int>(p.reveal_range, 50));

    ui_->pictb_1->setGeometry(ui_->frame_2->contentsRect());
    ui_->no_pic_label->setGeometry(ui_->frame_2->contentsRect());
    clear_picture();
    if (p.picture_file[0] != 0) {
        std::string path = player_picture_path(e);
        if (path.empty()) {
            // Not found: the file is named as the game's folder would hold it.
            const std::string file = name_of(p.picture_file) + ".BMP";
            path = current_game_path.empty() ? file : join_path(folder_of(current_game_path), file);
        }
        show_picture(path);
    }

    symbol_ = none_selected;
    if (p.flags == 0) {
        ui_->use_hidden->setChecked(false);
        ui_->combo_1->setCurrentIndex(-1);
        ui_->combo_1->setPlaceholderText(QStringLiteral("No Symbol"));
    } else {
        ui_->use_hidden->setChecked(p.flags & player_flag_uses_hidden);
        ui_->place_hidden->setChecked(p.flags & player_flag_hidden_when_placed);
        ui_->pools_hidden->setChecked(p.flags & player_flag_pool_hidden);
        if (p.default_hidden_symbol != no_symbol &&
            (p.default_hidden_symbol < 0 || p.default_hidden_symbol >= count))
            p.default_hidden_symbol = no_symbol;
        if (p.default_hidden_symbol == no_symbol) {
            ui_->default_sym->setChecked(false);
            ui_->combo_1->setCurrentIndex(-1);
            ui_->combo_1->setPlaceholderText(QStringLiteral("No Symbol"));
        } else {
            ui_->default_sym->setChecked(true);
            symbol_ = p.default_hidden_symbol;
            const int row = ui_->combo_1->findData(symbol_, symbol_role);
            filling_ = true;
            ui_->combo_1->setCurrentIndex(row);
            filling_ = false;
        }
    }
    show_symbol_preview();
    return false;
}

void player_info_form::fill_symbol_box() {
    QListWidget* from = ui_->sort_syms->isChecked() ? ui_->syms_sorted : ui_->syms_unsorted;
    filling_ = true;
    ui_->combo_1->clear();
    for (int i = 0; i < from->count(); ++i)
        ui_->combo_1->addItem(from->item(i)->text(), from->item(i)->data(symbol_role));
    ui_->combo_1->setCurrentIndex(-1);
    ui_->combo_1->setPlaceholderText(QStringLiteral("No Symbol"));
    filling_ = false;
}

void player_info_form::select_symbol_by_name(const QString& name) {
    filling_ = true;
    const int row = name.isEmpty() ? -1 : ui_->combo_1->findText(name, Qt::MatchFixedString);
    ui_->combo_1->setCurrentIndex(row);
    filling_ = false;
    // The same name may stand for another symbol of the set; the working symbol follows the box.
    symbol_ = row >= 0 ? ui_->combo_1->itemData(row, symbol_role).toInt() : none_selected;
    show_symbol_preview();
}

void player_info_form::show_symbol_preview() {
    QLabel* box = ui_->frame_1;
    const QSize size = box->contentsRect().size();
    QImage canvas(size.width() > 0 ? size : QSize(1, 1), QImage::Format_RGB32);
    canvas.fill(QColor(preferences.form_colour[0], preferences.form_colour[1], preferences.form_colour[2]));
    if (symbol_ != none_selected) {
        QImage picture = symbol_image(symbol_, canvas.width(), canvas.height());
        if (!picture.isNull()) {
            QPainter painter(&canvas);
            painter.drawImage((canvas.width() - picture.width()) / 2,
                              (canvas.height() - picture.height()) / 2, picture);
        }
    }
    box->setPixmap(QPixmap::fromImage(canvas));
}

void player_info_form::clear_picture() {
    ui_->pictb_1->clear();
    ui_->pictb_1->hide();
    ui_->no_pic_label->show();
    picture_present_ = false;
}

bool player_info_form::browse_for_picture() {
    file_chooser_request request;
    request.title = "Select Player Picture File";
    request.filters = {{"Bitmap Picture Files (*.BMP)", "*.BMP"}, {"All Files (*.*)", "*.*"}};
    request.start_folder =
        !default_paths.player_pictures.empty() ? default_paths.player_pictures : folder_of(current_game_path);
    request.name = "player_info_form";
    const auto chosen = choose_file(request);
    if (!chosen || chosen->empty()) return false;
    // The game keeps the name without its extension and looks for a .BMP of that name.
    const std::string name = file_name_of(*chosen);
    if (name.size() < 4 || !equal_ignoring_case(name.substr(name.size() - 4), ".BMP")) {
        message_box("Picture File Error", "Player pictures must be bitmap (.BMP) files:\n\r   " + *chosen,
                    box_buttons::ok, box_icon::exclamation);
        return false;
    }
    show_picture(*chosen);
    return true;
}

void player_info_form::show_picture(std::string path) {
    bitmap picture;
    if (!picture.load(path) || picture.is_null()) {
        clear_picture();
        if (message_box(
                "Picture File Not Found",
                "The picture file for this player was not found in the game folder/directory. \n\rDo you "
                "want to browse all folders to try and find this file?",
                box_buttons::ok_cancel, box_icon::question) == box_answer::ok)
            browse_for_picture();
        return;
    }
    const std::string folder = folder_of(path);
    const std::string game_folder = current_game_path.empty() ? std::string() : folder_of(current_game_path);
    if (!same_folder(folder, default_paths.player_pictures) && !same_folder(folder, game_folder) &&
        !game_folder.empty()) {
        // The game keeps only the file's name, so the file must lie where the game looks.
        const std::string copy = join_path(game_folder, file_name_of(path));
        if (copy_file_reported(path, copy)) path = copy; // a failed copy is reported
    }
    picture_path_ = path;
    picture_present_ = true;
    const QImage& image = picture.native()->image;
    QLabel* box = ui_->pictb_1;
    const double f = std::min(static_cast<double>(box->height()) / image.height(),
                              static_cast<double>(box->width()) / image.width());
    box->setPixmap(QPixmap::fromImage(image.scaled(std::max(1, static_cast<int>(image.width() * f)),
                                                   std::max(1, static_cast<int>(image.height() * f)),
                                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    box->show();
    ui_->no_pic_label->hide();
}

void player_info_form::save() {
    player_edit edit;
    edit.name = from_qstring(ui_->name->text());
    edit.new_password = new_password_;
    edit.use_password = ui_->use_pass->isChecked();
    edit.reveal_range = ui_->updown_1->value();
    edit.use_hidden = ui_->use_hidden->isChecked();
    edit.place_hidden = ui_->place_hidden->isChecked();
    edit.pools_hidden = ui_->pools_hidden->isChecked();
    edit.default_symbol = ui_->default_sym->isChecked() && symbol_ != none_selected;
    edit.symbol = symbol_;
    edit.picture_present = picture_present_;
    edit.picture_path = picture_path_;
    switch (save_player_info(index_, edit, had_password_)) {
    case save_result::stored:
        stored_ = true;
        accept();
        break;
    case save_result::refused:
        reject();
        break;
    case save_result::stay_open:
        break;
    }
}

void run_player_info_form() {
    player_info_form f(dialog_parent());
    f.create_form();
    if (!f.usable()) return;
    f.exec();
    if (f.is_new_player() && !f.stored()) discard_new_player(f.player_index());
}
