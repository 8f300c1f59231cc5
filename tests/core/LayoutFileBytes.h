#pragma once
// Builds layout file bytes field by field from the file tables, so that the
// tests check the readers and the writer against the format, not against
// each other.
#include <cstdint>
#include <string>
#include <vector>

namespace rovenza::test {

class FileBytes {
 public:
  std::vector<unsigned char> bytes;

  FileBytes& u8(std::uint32_t v) {
    bytes.push_back(static_cast<unsigned char>(v & 0xFF));
    return *this;
  }
  FileBytes& u16(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return u8(u).u8(u >> 8);
  }
  FileBytes& u32(std::int64_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return u8(u).u8(u >> 8).u8(u >> 16).u8(u >> 24);
  }
  FileBytes& text(const std::string& t) {
    bytes.insert(bytes.end(), t.begin(), t.end());
    return *this;
  }
  FileBytes& counted(const std::string& t) { return u32(static_cast<std::int64_t>(t.size())).text(t); }
  FileBytes& shortCounted(const std::string& t) { return u16(static_cast<std::int32_t>(t.size())).text(t); }
  std::size_t size() const { return bytes.size(); }
};

struct Qv4Sign {
  std::uint8_t kind;
  std::int32_t left, top, width, height, speed, interval, cornerRound;
  std::string picture;
};

inline FileBytes qv4File(const std::string& background, std::int32_t formWidth, std::int32_t formHeight,
                         const Qv4Sign& first, const Qv4Sign& second,
                         const std::string& signature = "QvApp4DataFile") {
  FileBytes f;
  f.counted(signature).counted(background).u32(formWidth).u32(formHeight);
  for (const Qv4Sign* s : {&first, &second}) {
    f.u8(s->kind).u32(s->left).u32(s->top).u32(s->width).u32(s->height);
    f.u32(s->speed).u32(s->interval).u32(s->cornerRound).counted(s->picture);
  }
  return f;
}

// One ".qv3" sign block; the unused fields hold the given filler.
struct Qv3Sign {
  std::string picture;
  std::int16_t left, top, height, width;  // twips
  std::int16_t cornerRound, speed, interval;
};

inline void qv3Block(FileBytes& f, const Qv3Sign& s, std::int32_t filler) {
  f.shortCounted(s.picture).u16(s.left).u16(s.top).u16(s.height).u16(s.width);
  f.u32(filler);                                             // B6
  for (int i = 0; i < 5; ++i) f.u16(filler);                 // B7
  f.u32(filler).u32(filler);                                 // B8
  f.u16(filler);                                             // B9
  f.u16(s.cornerRound);                                      // B10
  f.u16(filler);                                             // B11
  f.u16(s.speed).u16(s.interval);                            // B12, B13
  f.u32(filler).u32(filler);                                 // B14
}

inline FileBytes qv3File(const std::string& background, std::int16_t height, std::int16_t width,
                         std::int16_t signCount, const Qv3Sign& first, const Qv3Sign& second,
                         std::int16_t hidden1, std::int16_t hidden2, std::int32_t filler = 0) {
  FileBytes f;
  f.shortCounted(background).u16(height).u16(width).u32(filler).u16(signCount);
  qv3Block(f, first, filler);
  qv3Block(f, second, filler);
  f.u16(hidden1).u16(hidden2);
  return f;
}

struct QvdSign {
  std::string folder;
  std::int16_t left, top, height, width;  // twips
  std::int16_t cornerRound;
};

inline FileBytes qvdFile(const std::string& background, std::int16_t height, std::int16_t width,
                         const QvdSign& sign, std::int32_t filler = 0) {
  FileBytes f;
  f.shortCounted(background).u16(height).u16(width).u32(filler).u16(filler);
  f.shortCounted(sign.folder).u16(sign.left).u16(sign.top).u16(sign.height).u16(sign.width);
  f.u32(filler);
  for (int i = 0; i < 5; ++i) f.u16(filler);
  f.u32(filler).u32(filler).u16(filler);
  f.u16(sign.cornerRound);
  return f;
}

}  // namespace rovenza::test
