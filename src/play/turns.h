// Turns and their names.
#pragma once

#include <string>

// The name of turn n: empty when there is no name list, n lies at or past its end entry, or the
// entry is unnamed (first byte 1).
std::string get_turn_name(int n);
