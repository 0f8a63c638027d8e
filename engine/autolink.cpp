#include "autolink.h"

void AutoLinkLine(THtmlCnv&) {}
