// Keeping the moving row of an order list in view.
#pragma once

class QListWidget;

// Scrolls so that the row stands 4 to 13 rows below the top of the view (never above row 0).
void keep_row_in_view(QListWidget* list, int row);
