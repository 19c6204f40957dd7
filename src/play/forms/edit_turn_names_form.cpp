#include "edit_turn_names_form.h"

#include "ui_edit_turn_names_form.h"

#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/turns.h"

#include <QHeaderView>
#include <QTableWidgetItem>

#include <algorithm>
#include <vector>

namespace {
constexpr int grid_rows = 5000;
}

edit_turn_names_form::edit_turn_names_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::edit_turn_names_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->save_changes,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_save(); }}});
    set_event_handlers(ui_->cancel, {{ClickEvent, [this](QObject*, event_data&) {
                                          reject();
                                          return true;
                                      }}});
}

edit_turn_names_form::~edit_turn_names_form() = default;

bool edit_turn_names_form::on_created() {
    apply_form_colour(this);
    // Names past the usual rows are shown too, so that saving never drops them.
    const int rows = std::max(grid_rows, turn_name_count());
    auto* grid = ui_->grid_1;
    grid->setRowCount(rows);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < rows; ++i) {
        auto* number = new QTableWidgetItem(QString::number(i));
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        grid->setItem(i, 0, number);
        grid->setItem(i, 1, new QTableWidgetItem(to_qstring(get_turn_name(i))));
    }
    return false;
}

bool edit_turn_names_form::on_save() {
    auto* grid = ui_->grid_1;
    std::vector<std::string> names(static_cast<std::size_t>(grid->rowCount()));
    for (int i = 0; i < grid->rowCount(); ++i)
        if (auto* item = grid->item(i, 1)) names[static_cast<std::size_t>(i)] = from_qstring(item->text());
    if (!save_turn_names(names))
        message_box(
            "Turn Name Allocation Error",
            "Can not allocate Turn Name array.  You should save your game now, and re-boot your computer.",
            box_buttons::ok, box_icon::stop);
    accept();
    return true;
}

void run_edit_turn_names_form() {
    edit_turn_names_form f(dialog_parent());
    f.create_form();
    f.exec();
}
