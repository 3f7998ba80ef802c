#pragma once

#include "ui_mwui.h"

// The window's form: a pointer to every child widget and layout of mw, each named after its
// object name. It owns nothing; the widgets belong to the window they are built on.
class mwui : public Ui_mw
{
};
