#pragma once
// The live feed of LED signs to panels on the network. Each sign the user
// turns on sends its pictures, as they show with the look off, reduced to
// its panel's dots, at every change and once a second while nothing changes.
// Names are looked up and packets sent on a thread of the feed's own: the
// user-interface thread never waits on the network. Until a sign is turned
// on, the feed has no thread, no socket and sends nothing.
#include <windows.h>

#include <string>

#include "feed/PanelSettings.h"

namespace rovenza {

// A sign that can be fed: its face (0: the board) and its sign on the face.
struct FeedKey {
  int face = 0;
  int sign = 0;
  bool operator==(const FeedKey& other) const { return face == other.face && sign == other.sign; }
};

// Hears on the user-interface thread when the first feed starts and when the
// last one stops.
class FeedListener {
 public:
  virtual void feedSwitched(bool anyOn) = 0;

 protected:
  ~FeedListener() = default;
};
void setFeedListener(FeedListener* listener);

// Feeds the sign with `settings` (checked already; they replace those it
// had) and sends its picture at once: the sign is asked to show it again.
// False when the feed's thread cannot be started. User-interface thread.
bool startFeed(FeedKey key, const PanelFeedSettings& settings);
// Stops feeding the sign; what its panel shows stays there.
void stopFeed(FeedKey key);
bool isFeeding(FeedKey key);
bool anyFeed();

// What keeps the sign's feed from its panel (a host not found, sends that
// fail), said once; empty while it goes well or is off.
std::string feedProblem(FeedKey key);
// `window` is posted `message` whenever a feed's problem appears or goes;
// null for none.
void setFeedProblemWindow(HWND window, UINT message);

// Stops every feed and the thread, as the program ends.
void endFeeds();

}  // namespace rovenza
