#include "list_scroll.h"

#include <QListWidget>

#include <algorithm>

void keep_row_in_view(QListWidget* list, int row) {
    QListWidgetItem* first = list->itemAt(0, 0);
    const int top = first ? list->row(first) : 0;
    int new_top = top;
    if (row - top < 4) new_top = std::max(0, row - 4);
    if (row - top > 13) new_top = std::max(0, row - 13);
    if (new_top != top && list->item(new_top))
        list->scrollToItem(list->item(new_top), QAbstractItemView::PositionAtTop);
}
