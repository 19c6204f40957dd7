// The application object: start creates the main window, run is the message loop, end deletes it.
#pragma once

#include "platform/application.h"

class ApplicationClass : public application_base {
public:
    void on_start() override;
    void on_end() override;
};

extern ApplicationClass the_application;
