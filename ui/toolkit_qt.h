// ui/toolkit_qt.h - the Qt widgets behind numbered windows and controls, for tests that
// send real input events to them.
#pragma once
#include <QString>
#include <QWidget>
#include <string>

QWidget* WindowWidget(int window);
QWidget* ControlWidget(int control);
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
