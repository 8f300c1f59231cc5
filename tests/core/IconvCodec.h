#pragma once
// The UTF-8 and code page 932 conversions of the system, for the native
// tests: glibc's iconv, strict (a character the other side lacks fails).
#include <iconv.h>

#include <string>
#include <string_view>

#include "common/CsvText.h"

namespace rovenza::test {

class IconvCodec : public TextCodec {
 public:
  bool utf8ToCp932(std::string_view utf8, std::string& cp932) override { return convert("CP932", "UTF-8", utf8, cp932); }
  bool cp932ToUtf8(std::string_view cp932, std::string& utf8) override { return convert("UTF-8", "CP932", cp932, utf8); }

 private:
  static bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string input(in);
    char* source = input.data();
    std::size_t left = input.size();
    std::string buffer(input.size() * 4 + 4, '\0');
    char* target = buffer.data();
    std::size_t room = buffer.size();
    const std::size_t done = iconv(cd, &source, &left, &target, &room);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || left != 0) return false;
    out.assign(buffer.data(), buffer.size() - room);
    return true;
  }
};

}  // namespace rovenza::test
