#include "feed/Ddp.h"

#include <algorithm>
#include <cstring>

namespace rovenza {

bool sendDdpPicture(const std::uint8_t* data, std::size_t size, DdpSequence& sequence, PacketSink& sink) {
  std::uint8_t packet[kDdpHeaderBytes + kDdpMaxData];
  for (std::size_t offset = 0; offset < size; offset += kDdpMaxData) {
    const std::size_t length = std::min(kDdpMaxData, size - offset);
    const bool last = offset + length == size;
    packet[0] = static_cast<std::uint8_t>(kDdpVersion1 | (last ? kDdpPush : 0));
    packet[1] = sequence.next();
    packet[2] = kDdpRgb8;
    packet[3] = kDdpDefaultOutput;
    for (int i = 0; i < 4; ++i) packet[4 + i] = static_cast<std::uint8_t>(offset >> (24 - 8 * i));
    packet[8] = static_cast<std::uint8_t>(length >> 8);
    packet[9] = static_cast<std::uint8_t>(length);
    std::memcpy(packet + kDdpHeaderBytes, data + offset, length);
    if (!sink.sendPacket(packet, kDdpHeaderBytes + length)) return false;
  }
  return true;
}

}  // namespace rovenza
