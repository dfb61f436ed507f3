#include "scales.h"
void hovScoringPlaceholder() {}
