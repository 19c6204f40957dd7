#include "value_rows.h"

#include "data/value_text.h"
#include "platform/form.h"
#include "platform/qt_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const char* const group_names[8] = {"groupb_1", "groupb_2", "groupb_3",  "groupb_18",
                                    "groupb_4", "groupb_5", "groupb_14", "groupb_19"};
const char* const value_label_names[8] = {"label_3",  "label_6",  "label_1", "label_4",
                                          "label_12", "label_15", "label_2", "label_5"};
const char* const option_texts[4] = {"Numeric", "Text", "Yes/No", "Not Used"};

int type_of_option(int option) {
    return option == 0   ? value_numeric
           : option == 1 ? value_text
           : option == 2 ? value_yes_no
                         : value_not_used;
}
int option_of_type(int type) {
    return type == value_numeric ? 0 : type == value_text ? 1 : type == value_yes_no ? 2 : 3;
}

} // namespace

value_rows::value_rows(form_base* form, QGridLayout* into, const char* kind, value_bytes* values)
    : QObject(form), values_(values) {
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* g = new QGroupBox(QString(" %1 Value %2 ").arg(kind).arg(k + 1), form);
        g->setObjectName(group_names[k]);
        auto* gl = new QGridLayout(g);
        names_[i] = new QLineEdit(g);
        names_[i]->setObjectName(QString("name%1").arg(k + 1));
        names_[i]->setMaxLength(15);
        auto* label = new QLabel("Value:", g);
        label->setObjectName(value_label_names[k]);
        texts_[i] = new QLineEdit(g);
        texts_[i]->setObjectName(QString("text%1").arg(k + 1));
        form->set_event_handlers(texts_[i], {{MouseDownEvent, [this, k](QObject*, event_data& e) {
                                                  if (e.button == Qt::LeftButton) on_value_click(k);
                                                  return false;
                                              }}});
        gl->addWidget(names_[i], 0, 0, 1, 4);
        gl->addWidget(label, 1, 0);
        gl->addWidget(texts_[i], 1, 1, 1, 3);
        groups_[i] = new QButtonGroup(g);
        for (int o = 0; o < 4; ++o) {
            auto* b = new QRadioButton(option_texts[o], g);
            b->setObjectName(QString("b%1").arg(4 * k + o + 1));
            groups_[i]->addButton(b, o);
            gl->addWidget(b, 2, o);
            connect(b, &QRadioButton::clicked, this, [this, k, o] { on_type(k, o); });
        }
        into->addWidget(g, k / 4, k % 4);
    }
}

QRadioButton* value_rows::type_option(int k, int option) const {
    return qobject_cast<QRadioButton*>(groups_[static_cast<std::size_t>(k)]->button(option));
}

void value_rows::show(const value_name (&names)[8], const std::uint8_t (&types)[8]) {
    for (int k = 0; k < 8; ++k) {
        names_[static_cast<std::size_t>(k)]->setText(mixed_to_qstring(name_of(names[k])));
        show_value(k, types[k]);
    }
}

void value_rows::show_value(int k, int type) {
    QLineEdit* box = texts_[static_cast<std::size_t>(k)];
    box->setText(mixed_to_qstring(
        format_class_value(static_cast<std::uint8_t>(type), (*values_)[static_cast<std::size_t>(k)])));
    box->setReadOnly(type == value_yes_no);
    type_option(k, option_of_type(type))->setChecked(true);
}

value_edit value_rows::read() const {
    value_edit edit;
    for (std::size_t k = 0; k < 8; ++k) {
        edit.names[k] = from_qstring(names_[k]->text());
        edit.texts[k] = from_qstring(texts_[k]->text());
        edit.types[k] = type_of_option(groups_[k]->checkedId());
    }
    return edit;
}

void value_rows::show_texts(const value_edit& edit) {
    for (std::size_t k = 0; k < 8; ++k)
        texts_[k]->setText(mixed_to_qstring(edit.texts[k]));
}

void value_rows::on_type(int k, int option) {
    QLineEdit* box = texts_[static_cast<std::size_t>(k)];
    auto& bytes = (*values_)[static_cast<std::size_t>(k)];
    switch (option) {
    case 0: // Numeric: what is not a number starts again at 0
        box->setReadOnly(false);
        if (!looks_numeric(from_qstring(box->text()))) {
            box->setText("0");
            bytes = {0, 0, 0, 0};
        }
        break;
    case 1:
        box->setReadOnly(false);
        break;
    case 2:
        box->setReadOnly(true);
        box->setText(bytes[0] != 0 ? "Yes" : "No");
        break;
    default:
        box->clear();
        box->setReadOnly(false);
        break;
    }
}

void value_rows::on_value_click(int k) {
    QLineEdit* box = texts_[static_cast<std::size_t>(k)];
    if (!box->isReadOnly()) return;
    auto& bytes = (*values_)[static_cast<std::size_t>(k)];
    bytes[0] = bytes[0] == 0 ? 1 : 0;
    box->setText(bytes[0] ? "Yes" : "No");
}
