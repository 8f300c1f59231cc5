#include "feed/win32/PanelFeed.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "common/Number.h"
#include "common/win32/Scoped.h"
#include "feed/FeedSchedule.h"
#include "feed/PanelDots.h"
#include "feed/win32/UdpSender.h"
#include "layout/Layout.h"
#include "sign/win32/LedPictureListener.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/RollClock.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// How long a name that was not found waits before it is looked up again.
constexpr std::int64_t kLookUpAgainMicros = 5000000;
// How long the program's end waits for the thread, which may be inside a
// name look-up the system does not cut short; the thread keeps what it uses.
constexpr DWORD kEndWaitMs = 2000;

// One fed sign, shared by the user-interface thread, the threads that show
// its pictures and the feed's thread (under the feed's lock).
struct FedSign {
  FeedKey key;
  PanelFeedSettings settings;
  std::vector<std::uint8_t> bytes;  // the latest picture, as the panel takes it
  FeedSchedule schedule;
  bool ready = false;   // its first picture is in
  unsigned turnedOn = 0;  // which turning on the settings are of
  std::string problem;  // said once
};

// What the feed's thread keeps of each panel it sends to.
struct Target {
  FeedKey key;
  std::string host;
  int port = 0;
  std::unique_ptr<UdpSender> sender;
  std::int64_t lookUpAt = 0;  // a name not found is looked up again from then
  DdpSequence sequence;
};

struct FeedState {
  std::mutex lock;
  std::vector<FedSign> signs;
  bool ending = false;
  HWND problemWindow = nullptr;
  UINT problemMessage = 0;
  ScopedHandle wake;  // auto-reset: a picture, a change of signs, the end
  ScopedHandle thread;
};

// Made with the first feed and kept to the end; its thread holds it too.
std::shared_ptr<FeedState> feed;
unsigned turningsOn = 0;
FeedListener* feedListener = nullptr;

FedSign* findSign(FeedState& state, FeedKey key) {
  for (FedSign& sign : state.signs) {
    if (sign.key == key) return &sign;
  }
  return nullptr;
}

// A picture as its panel takes it; none when it cannot be made.
std::vector<std::uint8_t> panelPicture(const PixelRows& picture, int openingWidth, int openingHeight,
                                       const PanelFeedSettings& settings) {
  try {
    return panelBytes(panelDots(picture, openingWidth, openingHeight, settings.size, false), settings.cap);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

// Every sign, of every face, tells the feed each picture it shows.
class BoardPictures : public LedPictureListener {
 public:
  void ledPictureShown(int sign, const PixelRows& picture, int openingWidth, int openingHeight) override {
    FeedState& state = *feed;
    const FeedKey key{faceOfSign(sign), signInFace(sign)};
    PanelFeedSettings settings;
    unsigned turnedOn = 0;
    {
      std::lock_guard<std::mutex> guard(state.lock);
      const FedSign* fed = findSign(state, key);
      if (!fed) return;
      settings = fed->settings;
      turnedOn = fed->turnedOn;
    }
    std::vector<std::uint8_t> bytes = panelPicture(picture, openingWidth, openingHeight, settings);
    if (bytes.empty()) return;
    {
      std::lock_guard<std::mutex> guard(state.lock);
      FedSign* fed = findSign(state, key);
      // Settings changed meanwhile: the picture is taken again for them.
      if (!fed || fed->turnedOn != turnedOn) return;
      fed->bytes = std::move(bytes);
      fed->schedule.pictureChanged();
    }
    SetEvent(state.wake.get());
  }
};

BoardPictures boardPictures;

std::string errorText(int error) { return "（エラー" + formatNumber(error) + "）"; }

// Sends one picture to its panel; the problem, or empty.
std::string sendPicture(Target& target, const std::vector<std::uint8_t>& bytes, std::int64_t now) {
  if (!target.sender) target.sender = std::make_unique<UdpSender>();
  if (!target.sender->aimed()) {
    if (now < target.lookUpAt) return {};
    const int failed = target.sender->aim(target.host, target.port);
    if (failed != 0) {
      target.lookUpAt = performanceMicros() + kLookUpAgainMicros;
      return "送り先「" + target.host + "」が見つかりません" + errorText(failed) + "。";
    }
  }
  if (!sendDdpPicture(bytes.data(), bytes.size(), target.sequence, *target.sender)) {
    return "パネルへ送れません" + errorText(target.sender->lastError()) + "。";
  }
  return {};
}

Target& targetFor(std::deque<Target>& targets, const FedSign& sign) {
  for (Target& target : targets) {
    if (!(target.key == sign.key)) continue;
    if (target.host != sign.settings.host || target.port != sign.settings.port) {
      target.host = sign.settings.host;
      target.port = sign.settings.port;
      target.sender.reset();
      target.lookUpAt = 0;
    }
    return target;
  }
  targets.push_back(Target{sign.key, sign.settings.host, sign.settings.port, nullptr, 0, DdpSequence{}});
  return targets.back();
}

// Sends every fed sign that is due, outside the lock, and says what went
// wrong; `next` is when the next one is due. False once the feed ends.
bool sendDue(FeedState& state, std::deque<Target>& targets, std::int64_t& next) {
  struct Job {
    FeedKey key;
    std::vector<std::uint8_t> bytes;
    Target* target;
  };
  std::vector<Job> jobs;
  const std::int64_t now = performanceMicros();
  {
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.ending) return false;
    for (FedSign& sign : state.signs) {
      if (!sign.ready) continue;
      if (sign.schedule.due(now)) {
        jobs.push_back(Job{sign.key, sign.bytes, &targetFor(targets, sign)});
        sign.schedule.sent(now);
      }
      next = std::min(next, sign.schedule.dueAt());
    }
  }
  for (Job& job : jobs) {
    const std::string problem = sendPicture(*job.target, job.bytes, now);
    std::lock_guard<std::mutex> guard(state.lock);
    FedSign* sign = findSign(state, job.key);
    if (!sign || sign->problem == problem) continue;
    sign->problem = problem;
    if (state.problemWindow) PostMessageA(state.problemWindow, state.problemMessage, 0, 0);
  }
  return true;
}

DWORD WINAPI feedThread(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<FeedState>> held(static_cast<std::shared_ptr<FeedState>*>(parameter));
  FeedState& state = **held;
  std::deque<Target> targets;  // a target stays where it is as others join
  for (;;) {
    std::int64_t next = INT64_MAX;
    try {
      if (!sendDue(state, targets, next)) break;
    } catch (const std::bad_alloc&) {
      // A picture that cannot be copied now goes at its next turn.
      next = performanceMicros() + kFeedRepeatMicros;
    }
    const std::int64_t now = performanceMicros();
    const DWORD wait = next == INT64_MAX ? INFINITE : static_cast<DWORD>(std::max<std::int64_t>(0, (next - now + 999) / 1000));
    WaitForSingleObject(state.wake.get(), wait);
  }
  return 0;
}

bool startThread() {
  if (feed && feed->thread.valid() && WaitForSingleObject(feed->thread.get(), 0) == WAIT_TIMEOUT) return true;
  if (!feed) feed = std::make_shared<FeedState>();
  if (!feed->wake.valid()) feed->wake.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!feed->wake.valid()) return false;
  feed->ending = false;
  auto* held = new std::shared_ptr<FeedState>(feed);
  feed->thread.reset(CreateThread(nullptr, 0, feedThread, held, 0, nullptr));
  if (!feed->thread.valid()) {
    delete held;
    return false;
  }
  return true;
}

void addSign(FeedKey key, const PanelFeedSettings& settings) {
  std::lock_guard<std::mutex> guard(feed->lock);
  FedSign* sign = findSign(*feed, key);
  if (!sign) {
    feed->signs.push_back(FedSign{});
    sign = &feed->signs.back();
  }
  *sign = FedSign{};
  sign->key = key;
  sign->settings = settings;
  sign->turnedOn = ++turningsOn;
}

void tellSwitched() {
  if (feedListener) feedListener->feedSwitched(anyFeed());
}

// The sign shows its picture again, and so tells the feed.
void showAgain(int sign) {
  if (!validAnySign(sign)) return;
  const SignState& state = app.signStates[sign];
  if (effectiveKind(signSpecOf(sign).kind) == SignKind::Led && !state.ledFile.empty()) {
    const std::string file = state.ledFile;
    showLedFrame(sign, file);
  } else {
    tellLedPicture(sign, nullptr);
  }
}

}  // namespace

void setFeedListener(FeedListener* listener) { feedListener = listener; }

bool startFeed(FeedKey key, const PanelFeedSettings& settings) {
  const bool wasOn = anyFeed();
  try {
    if (!startThread()) return false;
    addSign(key, settings);
  } catch (const std::bad_alloc&) {
    return false;
  }
  setLedPictureListener(&boardPictures);
  showAgain(signOfFace(key.face, key.sign));
  {
    std::lock_guard<std::mutex> guard(feed->lock);
    if (FedSign* sign = findSign(*feed, key)) sign->ready = !sign->bytes.empty();
  }
  SetEvent(feed->wake.get());
  if (!wasOn) tellSwitched();
  return true;
}

void stopFeed(FeedKey key) {
  if (!feed) return;
  {
    std::lock_guard<std::mutex> guard(feed->lock);
    feed->signs.erase(std::remove_if(feed->signs.begin(), feed->signs.end(),
                                     [key](const FedSign& sign) { return sign.key == key; }),
                      feed->signs.end());
  }
  if (!anyFeed()) tellSwitched();
}

bool isFeeding(FeedKey key) {
  if (!feed) return false;
  std::lock_guard<std::mutex> guard(feed->lock);
  return findSign(*feed, key) != nullptr;
}

bool anyFeed() {
  if (!feed) return false;
  std::lock_guard<std::mutex> guard(feed->lock);
  return !feed->signs.empty();
}

std::string feedProblem(FeedKey key) {
  if (!feed) return {};
  std::lock_guard<std::mutex> guard(feed->lock);
  const FedSign* sign = findSign(*feed, key);
  return sign ? sign->problem : std::string();
}

void setFeedProblemWindow(HWND window, UINT message) {
  if (!feed) feed = std::make_shared<FeedState>();
  std::lock_guard<std::mutex> guard(feed->lock);
  feed->problemWindow = window;
  feed->problemMessage = message;
}

void endFeeds() {
  if (!feed) return;
  setLedPictureListener(nullptr);
  {
    std::lock_guard<std::mutex> guard(feed->lock);
    feed->signs.clear();
    feed->ending = true;
    feed->problemWindow = nullptr;
  }
  if (feed->wake.valid()) SetEvent(feed->wake.get());
  if (feed->thread.valid()) WaitForSingleObject(feed->thread.get(), kEndWaitMs);
}

}  // namespace rovenza
