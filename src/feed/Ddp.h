#pragma once
// A picture's bytes as the packets of the Distributed Display Protocol, the
// live picture many LED panel firmwares take over UDP: a 10-byte header,
// then at most kDdpMaxData bytes of the picture.
#include <cstddef>
#include <cstdint>

namespace rovenza {

constexpr int kDdpPort = 4048;
constexpr std::size_t kDdpHeaderBytes = 10;
constexpr std::size_t kDdpMaxData = 1440;  // 480 dots of three bytes

// Header bytes: version 1, with the push flag on the last packet of a
// picture (the panel shows what it has then); RGB of 8 bits a channel; the
// panel's default output.
constexpr std::uint8_t kDdpVersion1 = 0x40;
constexpr std::uint8_t kDdpPush = 0x01;
constexpr std::uint8_t kDdpRgb8 = 0x0B;
constexpr std::uint8_t kDdpDefaultOutput = 0x01;

// Where the packets go; false when one could not be sent.
class PacketSink {
 public:
  virtual bool sendPacket(const std::uint8_t* bytes, std::size_t size) = 0;

 protected:
  ~PacketSink() = default;
};

// Numbers the packets of one panel's pictures: 1 to 15 and round again
// (0 would mean the panel is not to check them).
class DdpSequence {
 public:
  std::uint8_t next() {
    last_ = static_cast<std::uint8_t>(last_ % 15 + 1);
    return last_;
  }

 private:
  std::uint8_t last_ = 0;
};

// Sends one picture's `size` bytes as packets, the data offset of each in its
// header, big-endian. Stops at the first packet that fails, and says so with
// false; nothing is sent for no bytes.
bool sendDdpPicture(const std::uint8_t* data, std::size_t size, DdpSequence& sequence, PacketSink& sink);

}  // namespace rovenza
