// The sockets' header comes before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "feed/win32/UdpSender.h"

#include <algorithm>
#include <cstring>

namespace rovenza {

static_assert(sizeof(SOCKET) == sizeof(std::uintptr_t), "a socket is a pointer-sized handle");
static_assert(sizeof(sockaddr_in) <= 16, "an IPv4 address fits its place");

UdpSender::UdpSender() {
  WSADATA data{};
  const int failed = WSAStartup(MAKEWORD(2, 2), &data);
  started_ = failed == 0;
  lastError_ = failed;
}

UdpSender::~UdpSender() {
  if (socket_ != INVALID_SOCKET) closesocket(static_cast<SOCKET>(socket_));
  if (started_) WSACleanup();
}

int UdpSender::aim(const std::string& host, int port) {
  aimed_ = false;
  if (!started_) return lastError_;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_protocol = IPPROTO_UDP;
  addrinfo* found = nullptr;
  const int failed = getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (failed != 0 || !found) return failed != 0 ? failed : WSAHOST_NOT_FOUND;
  sockaddr_in address{};
  std::memcpy(&address, found->ai_addr, std::min(sizeof address, static_cast<std::size_t>(found->ai_addrlen)));
  freeaddrinfo(found);
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  std::memcpy(address_, &address, sizeof address);
  aimed_ = true;
  return 0;
}

bool UdpSender::sendPacket(const std::uint8_t* bytes, std::size_t size) {
  if (!aimed_) return false;
  if (socket_ == INVALID_SOCKET) {
    const SOCKET made = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (made == INVALID_SOCKET) {
      lastError_ = WSAGetLastError();
      return false;
    }
    socket_ = made;
  }
  const int sent = sendto(static_cast<SOCKET>(socket_), reinterpret_cast<const char*>(bytes), static_cast<int>(size), 0,
                          reinterpret_cast<const sockaddr*>(address_), sizeof(sockaddr_in));
  if (sent == SOCKET_ERROR) {
    lastError_ = WSAGetLastError();
    return false;
  }
  lastError_ = 0;
  return true;
}

}  // namespace rovenza
