#include "text/codepage.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace pellimore {

namespace {

constexpr char32_t kUndefined = 0xFFFFFFFF;
constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr int kDefaultCodePage = 1252;
constexpr char kMissingCharacter = '?';

// An iconv descriptor that closes itself.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (IsOpen()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts a whole input; false when iconv rejects it. errorCode receives errno on failure.
  bool Convert(std::string_view input, std::string& output, int& errorCode) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    output.assign(input.size() * 8 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    bool ok = iconv(m_cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) &&
              iconv(m_cd, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    errorCode = ok ? 0 : errno;
    output.resize(output.size() - outLeft);
    return ok;
  }

 private:
  iconv_t m_cd;
};

char32_t LowerCaseCodePoint(char32_t c) {
  // A fixed locale keeps the letter-case rules independent of the machine's locale.
  static const locale_t utf8Locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l != static_cast<locale_t>(nullptr)
               ? l
               : newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
  }();
  if (utf8Locale != static_cast<locale_t>(nullptr)) {
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8Locale));
  }
  // Without the C.UTF-8 locale: Latin, Latin-1, Greek and Cyrillic capitals.
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// One decoded UTF-8 sequence: its code point, or kUndefined for a malformed sequence, and
// the number of bytes it takes. A malformed sequence takes its longest valid beginning (at least
// one byte), so the byte that broke it starts the next sequence.
struct Utf8Sequence {
  char32_t codePoint;
  std::size_t length;
};

Utf8Sequence DecodeUtf8(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return {lead, 1};

  std::size_t length = 0;
  char32_t codePoint = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) secondMin = 0xA0;  // no overlong forms
    if (lead == 0xED) secondMax = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) secondMin = 0x90;
    if (lead == 0xF4) secondMax = 0x8F;  // nothing above U+10FFFF
  } else {
    return {kUndefined, 1};
  }

  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char min = i == 1 ? secondMin : 0x80;
    const unsigned char max = i == 1 ? secondMax : 0xBF;
    if (pos + i >= text.size() || byte(pos + i) < min || byte(pos + i) > max) return {kUndefined, i};
    codePoint = (codePoint << 6) | (byte(pos + i) & 0x3F);
  }
  return {codePoint, length};
}

// Everything known about one single-byte code page, built once.
class CodePageTables {
 public:
  explicit CodePageTables(int codePage) : m_codePage(codePage) {
    const std::string name = "CP" + std::to_string(codePage);
    Converter toUtf32("UTF-32LE", name);
    if (!toUtf32.IsOpen()) throw std::invalid_argument("Unknown code page " + std::to_string(codePage));
    m_fromUtf8 = std::make_unique<Converter>(name, "UTF-8");
    m_fromBmp.assign(0x10000, -1);
    for (int b = 0; b < 256; ++b) ReadByte(toUtf32, static_cast<unsigned char>(b));
    for (int b = 0; b < 256; ++b) BuildLowerCase(static_cast<unsigned char>(b));
  }

  int CodePage() const { return m_codePage; }

  // The UTF-8 form of a byte: up to three bytes (U+FFFD for an undefined byte).
  std::string_view Utf8Of(unsigned char b) const { return m_utf8[b]; }

  char LowerCase(char c) const { return static_cast<char>(m_lower[static_cast<unsigned char>(c)]); }

  // The byte of a character the page holds, or -1.
  int ByteOf(char32_t c) const { return c < 0x10000 ? m_fromBmp[c] : -1; }

  // A character without a byte of its own, as iconv writes it in the page (pages such as 1258
  // write some letters as a base letter and a combining mark), or "?" when the page lacks it.
  std::string Composed(char32_t c, std::string_view utf8) const {
    if (c >= 0x10000) return std::string(1, kMissingCharacter);
    std::lock_guard<std::mutex> lock(m_composedMutex);
    auto found = m_composed.find(c);
    if (found != m_composed.end()) return found->second;
    std::string bytes;
    int errorCode = 0;
    if (!m_fromUtf8->IsOpen() || !m_fromUtf8->Convert(utf8, bytes, errorCode) || bytes.empty()) {
      bytes = std::string(1, kMissingCharacter);
    }
    m_composed.emplace(c, bytes);
    return bytes;
  }

 private:
  void ReadByte(Converter& toUtf32, unsigned char b) {
    std::string utf32;
    int errorCode = 0;
    const char input = static_cast<char>(b);
    char32_t codePoint = kUndefined;
    if (toUtf32.Convert(std::string_view(&input, 1), utf32, errorCode)) {
      if (utf32.size() >= 4) {
        codePoint = 0;
        for (int i = 3; i >= 0; --i) codePoint = (codePoint << 8) | static_cast<unsigned char>(utf32[i]);
      }
    } else if (errorCode == EINVAL) {
      throw std::invalid_argument("Code page " + std::to_string(m_codePage) +
                                  " is not a single-byte code page");
    }
    m_toUnicode[b] = codePoint;
    AppendUtf8(m_utf8[b], codePoint == kUndefined ? kReplacementCharacter : codePoint);
    if (codePoint < 0x10000 && m_fromBmp[codePoint] < 0) m_fromBmp[codePoint] = b;
  }

  void BuildLowerCase(unsigned char b) {
    m_lower[b] = b;
    const char32_t codePoint = m_toUnicode[b];
    if (codePoint == kUndefined) return;
    const char32_t lower = LowerCaseCodePoint(codePoint);
    if (lower != codePoint && lower < 0x10000 && m_fromBmp[lower] >= 0) {
      m_lower[b] = static_cast<unsigned char>(m_fromBmp[lower]);
    }
  }

  int m_codePage;
  std::array<char32_t, 256> m_toUnicode{};
  std::array<std::string, 256> m_utf8;
  std::array<unsigned char, 256> m_lower{};
  std::vector<std::int16_t> m_fromBmp;  // byte of each BMP character, -1 for none
  std::unique_ptr<Converter> m_fromUtf8;
  mutable std::mutex m_composedMutex;
  mutable std::unordered_map<char32_t, std::string> m_composed;
};

const CodePageTables& TablesFor(int codePage) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<CodePageTables>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto& tables = cache[codePage];
  if (!tables) {
    try {
      tables = std::make_unique<CodePageTables>(codePage);
    } catch (...) {
      cache.erase(codePage);
      throw;
    }
  }
  return *tables;
}

std::atomic<const CodePageTables*> g_working{nullptr};

const CodePageTables& Working() {
  const CodePageTables* tables = g_working.load();
  if (tables == nullptr) {
    tables = &TablesFor(kDefaultCodePage);
    g_working.store(tables);
  }
  return *tables;
}

}  // namespace

void SetWorkingCodePage(int codePage) {
  if (codePage <= 0) throw std::invalid_argument("Unknown code page " + std::to_string(codePage));
  g_working.store(&TablesFor(codePage));
}

int WorkingCodePage() { return Working().CodePage(); }

std::string WorkingToUtf8(std::string_view bytes) {
  const CodePageTables& tables = Working();
  std::size_t size = 0;
  for (char c : bytes) size += tables.Utf8Of(static_cast<unsigned char>(c)).size();
  std::string out(size, '\0');
  char* write = out.data();
  for (char c : bytes) {
    const std::string_view utf8 = tables.Utf8Of(static_cast<unsigned char>(c));
    for (char u : utf8) *write++ = u;
  }
  return out;
}

std::string Utf8ToWorking(std::string_view utf8) {
  const CodePageTables& tables = Working();
  // Every sequence gives one byte, except the rare composed letters, which may give more.
  std::string out(utf8.size(), '\0');
  std::size_t written = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const Utf8Sequence sequence = DecodeUtf8(utf8, pos);
    const int byte = sequence.codePoint == kUndefined ? kMissingCharacter : tables.ByteOf(sequence.codePoint);
    if (byte >= 0) {
      out[written++] = static_cast<char>(byte);
    } else {
      const std::string composed = tables.Composed(sequence.codePoint, utf8.substr(pos, sequence.length));
      if (written + composed.size() > out.size()) out.resize(written + composed.size() + utf8.size() - pos);
      out.replace(written, composed.size(), composed);
      written += composed.size();
    }
    pos += sequence.length;
  }
  out.resize(written);
  return out;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8(text, pos);
    if (sequence.codePoint == kUndefined) return false;
    pos += sequence.length;
  }
  return true;
}

char LowerCaseByte(char c) { return Working().LowerCase(c); }

std::string LowerCase(std::string_view text) {
  const CodePageTables& tables = Working();
  std::string out(text);
  for (char& c : out) c = tables.LowerCase(c);
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace pellimore
