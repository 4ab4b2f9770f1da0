#pragma once

#include "tmodelessform.h"

struct TVorunWindows;

// The creatures remaining window: for every creature type its stack size and the numbers left
// and killed, with the numbers left open to correction. Modeless; created once.
class TCharLeftForm : public TModelessForm {
public:
    explicit TCharLeftForm(TVorunWindows &windows);

private:
    TVorunWindows &windows;
};
