void hovScoringPlaceholder();
