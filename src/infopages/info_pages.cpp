#include "info_pages.h"

void load_info_page_set() {}
