#pragma once
// Datagrams to one host and port, and nothing else: the socket is never
// bound by hand, listened on or read; the system gives it a port of its own
// as the first datagram goes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "feed/Ddp.h"

namespace rovenza {

class UdpSender : public PacketSink {
 public:
  UdpSender();
  ~UdpSender();
  UdpSender(const UdpSender&) = delete;
  UdpSender& operator=(const UdpSender&) = delete;

  // Looks `host` (a name or an IPv4 address) up, which may take long, and
  // aims at its first IPv4 address and `port`. 0 on success; otherwise the
  // system's error, with the sender aimed nowhere.
  int aim(const std::string& host, int port);
  bool aimed() const { return aimed_; }
  // False, with lastError() saying why, when the datagram could not go.
  bool sendPacket(const std::uint8_t* bytes, std::size_t size) override;
  int lastError() const { return lastError_; }

 private:
  bool started_ = false;          // the sockets library is ready for this sender
  std::uintptr_t socket_ = ~std::uintptr_t{0};  // none until the first send
  alignas(8) unsigned char address_[16] = {};  // a sockaddr_in
  bool aimed_ = false;
  int lastError_ = 0;
};

}  // namespace rovenza
