#pragma once

class QWidget;
class mwui;

namespace tarvello {

// Names and descriptions for those who hear the window rather than see it: each control says
// what it is for and which key reaches it, where its visible text alone would be ambiguous or
// silent. The visible texts stay as they are.
void describeWindow(QWidget *window, mwui *ui);

} // namespace tarvello
