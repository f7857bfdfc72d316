// The eight front-end services the engine calls, as plain functions forwarding to the host.
#pragma once

#include <cstdint>

struct PanelRecord;

void OpenPanelWindow(PanelRecord* panel);
void OpenPopupWindow(PanelRecord* panel);
void UsePanelCanvas(PanelRecord* panel);
void ClosePanelWindow(PanelRecord* panel);
void DispatchPendingEvents();
int AskYesNo(const char* message, const char* button1, const char* button2);
int AskValue(const char* message, const char* button1, const char* button2, int32_t* value);
void SetStatusLine(const char* text);
