// The score a post sends, copied from the last summary.
#pragma once

#include "core/scoreboard/score_document.h"

// Holds the state lock only to copy the summary's numbers and the Cabrillo
// header's call and categories; texts come out as UTF-8.
ScorePost TakeScorePost();
