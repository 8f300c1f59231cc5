#pragma once
// The pages of the code set last: every sign whose cell lists pages shows
// them in turn, all changing at the same instant on one page clock (a thread
// of its own waits for each deadline; the user-interface thread switches the
// signs). The relay clicks once per page change. A sign that something else
// switched since its last page (its panel's "ON" or "強", a frame dropped on
// it) leaves the pages; the rest go on.
#include "vehicle/CodePlan.h"

namespace rovenza {

// Starts the pages of `plan` (its page 0 is on the signs already): page 1
// one period from now. Any pages running stop first.
void startPages(const CodePlan& plan);

// "送" (+1) / "戻" (-1): the next / previous page at once, the clock started
// again from it. Nothing without pages.
void stepPages(int delta);

// Stops the pages (the signs keep the page they show).
void stopPages();

// Whether pages alternate now.
bool pagesRunning();

}  // namespace rovenza
