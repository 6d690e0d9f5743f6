// ui/mainwindow.h - the main window, the event loop and the dispatch by control number.
//
// Operations:
//   BuildMainWindow()        opens window 0 with every control in its start-up state
//   RunEventLoop()           takes one event at a time until the tool is to end
//   HandleEvent(event)       runs the handler of one event; false when the tool is to end
//   RunPendingEvents()       handles what is waiting without blocking (tests); false on end
//   ApplyPendingAction()     OK of a secondary window: enable window 0, apply, close window 1
#pragma once
#include <string>

#include "ui/toolkit.h"

extern const char* const DefaultPageText;

bool BuildMainWindow();
void RunEventLoop();
bool HandleEvent(const Event& event);
bool RunPendingEvents();
void ApplyPendingAction();
