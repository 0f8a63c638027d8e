#include "emphasis.h"

void ApplyEmphasisRules(THtmlCnv&, const TStrong&) {}
