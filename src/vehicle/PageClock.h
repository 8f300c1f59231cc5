#pragma once
// The page clock of a vehicle: every sign that shows pages changes page at
// the same instant, like one controller. Page p is due at the origin plus
// (p - firstPage) periods, never "now plus a period", so time spent drawing
// or waking late does not add up however long the pages alternate. "設定"
// starts the clock at page 0; "送" / "戻" show the next / previous page at
// once and start the clock again from there.
#include <cstdint>

#include "sign/RollPacer.h"

namespace rovenza {

struct PageTimes {
  std::int64_t originMicros = 0;  // when firstPage was shown
  std::int64_t periodMicros = 0;  // at least 1
  std::int64_t firstPage = 0;
};

// The page due at `now` (firstPage before the origin).
std::int64_t pageDueAt(const PageTimes& times, std::int64_t now);
// When page `page` is due.
std::int64_t pageDeadline(const PageTimes& times, std::int64_t page);
// The clock after a step by hand of `delta` pages from the page due at `now`:
// that page shown now, its successor a whole period later.
PageTimes steppedPages(const PageTimes& times, int delta, std::int64_t now);

// Where the pages are shown: every sign's frame of the page, at once.
class PageScreen {
 public:
  virtual ~PageScreen() = default;
  // False when the pages were stopped (nothing was shown).
  virtual bool showPage(std::int64_t page) = 0;
};

// Shows each page after the first at its deadline until the clock's wait or
// the screen says the pages were stopped. A page whose successor is due
// already when it would be shown is passed over.
void runPages(const PageTimes& times, PageScreen& screen, Clock& clock);

}  // namespace rovenza
