#include "app/application_class.h"

ApplicationClass the_application;

int main(int argc, char** argv) { return run_application(argc, argv, the_application); }
