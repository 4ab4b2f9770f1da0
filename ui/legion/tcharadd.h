#pragma once

#include "tmodelessform.h"

// The creature picker: all creature types, from which the user picks the one to recruit into a
// legion. Modeless; created once and shown when a legion recruits.
class TMonSelectForm : public TModelessForm {
public:
    explicit TMonSelectForm(QWidget *parent = nullptr);
};
