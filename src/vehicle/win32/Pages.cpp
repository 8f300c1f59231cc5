#include "vehicle/win32/Pages.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "common/win32/Scoped.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/RollClock.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppState.h"
#include "vehicle/PageClock.h"

namespace rovenza {

namespace {

constexpr UINT kShowPageMessage = WM_APP + 0x0140;
const char kPagesClassName[] = "RovenzaPages";
// How long a stop waits for the clock's thread; it ends at once when woken.
constexpr DWORD kStopWaitMs = 5000;

struct PagedSign {
  int sign = 0;  // the program's index
  SignOrder order;
  std::int32_t shownFrame = -1;  // the frame its last page put up
};

// User-interface thread only, but for what the clock's thread is given.
std::vector<PagedSign> paged;
PageTimes times;
ScopedHandle clockThread;
ScopedHandle cancelEvent;
HWND pageWindow = nullptr;  // message-only: takes the clock's pages
std::atomic<std::uint32_t> serial{0};

// Posts each page the clock makes due to the page window, tagged with the
// serial of the pages it belongs to.
class PostedPages : public PageScreen {
 public:
  explicit PostedPages(std::uint32_t tag) : tag_(tag) {}
  bool showPage(std::int64_t page) override {
    if (serial.load() != tag_) return false;
    return PostMessageA(pageWindow, kShowPageMessage, tag_, static_cast<LPARAM>(page)) != 0;
  }

 private:
  std::uint32_t tag_;
};

struct ClockJob {
  PageTimes times;
  std::uint32_t tag = 0;
  HANDLE cancel = nullptr;
};

DWORD WINAPI pageClockThread(LPVOID parameter) {
  const ClockJob job = *static_cast<ClockJob*>(parameter);
  delete static_cast<ClockJob*>(parameter);
  TimerResolution resolution;
  RollClock clock(job.cancel);
  PostedPages screen(job.tag);
  runPages(job.times, screen, clock);
  return 0;
}

// Every paged sign to its frame of `page`, then one click. Every file is
// read first; then the signs are drawn one after another with nothing
// between them, so that the screen shows them change at one instant: under
// Wine what a window's thread draws reaches the screen when the thread next
// goes idle, or at once when it last went idle 50 ms ago or more (as after
// waiting for this page). A wait that returns at once counts as going idle.
void showPage(std::int64_t page) {
  struct Change {
    PagedSign* entry;
    int frame;
    LedFrame loaded;
  };
  std::vector<Change> changes;
  for (PagedSign& entry : paged) {
    if (entry.order.step != SignStep::Pages) continue;
    // Switched by something else since its last page: it leaves the pages.
    if (entry.shownFrame >= 0 && app.signStates[entry.sign].targetFrame != entry.shownFrame) {
      entry.order.step = SignStep::Unchanged;
      continue;
    }
    const int frame = frameOnPage(entry.order, page);
    if (frame < 0) continue;
    std::string path;
    const bool found = !signSpecOf(entry.sign).picturePath.empty() && ledFrameFile(entry.sign, frame, path);
    changes.push_back(Change{&entry, frame, found ? loadLedFrame(path) : LedFrame{}});
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
  bool switched = false;
  for (Change& change : changes) {
    const int sign = change.entry->sign;
    app.signStates[sign].targetFrame = change.frame;
    change.entry->shownFrame = change.frame;
    // A frame past the folder's end leaves the sign as it is, as "ON" does.
    if (change.loaded.path.empty()) continue;
    showLoadedLedFrame(sign, change.loaded);
    switched = true;
  }
  if (switched) soundLedClick(changes.front().entry->sign);
}

LRESULT CALLBACK pageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowPageMessage) {
    if (static_cast<std::uint32_t>(wParam) == serial.load()) showPage(static_cast<std::int64_t>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool makePageWindow() {
  if (pageWindow) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = pageWindowProc;
  wc.hInstance = app.instance;
  wc.lpszClassName = kPagesClassName;
  RegisterClassExA(&wc);
  pageWindow = CreateWindowExA(0, kPagesClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, app.instance, nullptr);
  return pageWindow != nullptr;
}

void stopClock() {
  ++serial;
  if (cancelEvent) SetEvent(cancelEvent.get());
  if (clockThread) WaitForSingleObject(clockThread.get(), kStopWaitMs);
  clockThread.reset();
  cancelEvent.reset();
}

void startClock() {
  stopClock();
  if (!makePageWindow()) return;
  cancelEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!cancelEvent) return;
  ClockJob* job = new (std::nothrow) ClockJob{times, serial.load(), cancelEvent.get()};
  if (!job) return;
  clockThread.reset(CreateThread(nullptr, 0, pageClockThread, job, 0, nullptr));
  if (!clockThread) delete job;
}

}  // namespace

void startPages(const CodePlan& plan) {
  stopPages();
  if (!plan.hasPages()) return;
  for (const SignOrder& order : plan.orders) {
    if (order.step != SignStep::Pages) continue;
    const int sign = signOfFace(order.face, order.sign);
    paged.push_back(PagedSign{sign, order, app.signStates[sign].targetFrame});
  }
  times = PageTimes{performanceMicros(), std::int64_t{plan.periodMs} * 1000, 0};
  startClock();
}

void stepPages(int delta) {
  if (paged.empty()) return;
  times = steppedPages(times, delta, performanceMicros());
  showPage(times.firstPage);
  startClock();
}

void stopPages() {
  stopClock();
  paged.clear();
}

bool pagesRunning() { return !paged.empty(); }

}  // namespace rovenza
