#include "vehicle/PageClock.h"

namespace rovenza {

namespace {

std::int64_t period(const PageTimes& times) { return times.periodMicros > 0 ? times.periodMicros : 1; }

}  // namespace

std::int64_t pageDueAt(const PageTimes& times, std::int64_t now) {
  if (now <= times.originMicros) return times.firstPage;
  return times.firstPage + (now - times.originMicros) / period(times);
}

std::int64_t pageDeadline(const PageTimes& times, std::int64_t page) {
  return times.originMicros + (page - times.firstPage) * period(times);
}

PageTimes steppedPages(const PageTimes& times, int delta, std::int64_t now) {
  return PageTimes{now, times.periodMicros, pageDueAt(times, now) + delta};
}

void runPages(const PageTimes& times, PageScreen& screen, Clock& clock) {
  std::int64_t page = times.firstPage;
  for (;;) {
    if (!clock.waitUntil(pageDeadline(times, page + 1))) return;
    page = pageDueAt(times, clock.now());
    if (!screen.showPage(page)) return;
  }
}

}  // namespace rovenza
