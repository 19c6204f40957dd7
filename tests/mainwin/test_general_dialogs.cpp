#include "test_support.h"

#include "mainwin/forms/generic_list_display_form.h"
#include "mainwin/general_dialogs.h"
#include "ui_generic_list_display_form.h"

#include <QTimer>

namespace {
TEST(general_dialogs, generic_list_display_shows_heading_and_items) {
    list_display_title = "2  pieces were linked to nonexistent classes.";
    list_display_items = {"Tiger", "No Piece ID/Name"};
    install_generic_list_display_form();
    QString title, heading;
    QStringList rows;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* f = qobject_cast<generic_list_display_form*>(w);
            if (!f || !f->isVisible()) continue;
            title = f->windowTitle();
            heading = f->controls().label_1->text();
            for (int i = 0; i < f->controls().lb_1->count(); ++i)
                rows << f->controls().lb_1->item(i)->text();
            f->controls().cb_1->click();
        }
    });
    show_generic_list_display();
    EXPECT_EQ(title, "Information Item List");
    EXPECT_EQ(heading, "2  pieces were linked to nonexistent classes.");
    EXPECT_EQ(rows, (QStringList{"Tiger", "No Piece ID/Name"}));

    scripted_responder responder;
    show_generic_list_display();
    ASSERT_EQ(responder.shown().size(), 1u);
    EXPECT_EQ(responder.shown()[0].kind, "list");
    EXPECT_EQ(responder.shown()[0].text, "Tiger\nNo Piece ID/Name");
    generic_list_display_hook = nullptr;
}
} // namespace
