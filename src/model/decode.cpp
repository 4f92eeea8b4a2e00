#include "model/decode.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace tw::model {
namespace {

constexpr char kStx = '\x02';
// Frames are decoded from a work copy of this many characters (terminator included).
constexpr std::size_t kWorkBufferSize = 284;

// The len characters at pos, fewer when the frame ends first.
std::string_view FieldAt(std::string_view frame, int pos, int len) {
  if (pos < 0 || len <= 0 || static_cast<std::size_t>(pos) >= frame.size()) return {};
  return frame.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
}

std::int32_t Wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

bool IsTextBufferKind(std::uint32_t kind) { return kind >= kKindTextBuffer1 && kind <= kKindTextBuffer3; }
bool IsSlotKind(std::uint32_t kind) { return kind >= kKindSlot1 && kind <= kKindSlot5; }

std::optional<std::int32_t> ListIndex(const DecodeNode& node, std::string_view field) {
  for (std::size_t i = 0; i < node.values.size(); ++i) {
    if (node.values[i] == field) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

// Produces the node's value into `result`; a dropped node adds nothing.
void DecodeNodeInto(const DecodeNode& node, std::string_view frame, DecodeResult& result) {
  DecodedValue out;
  out.number = node.number;
  out.kind = node.kind;
  const std::string_view field = FieldAt(frame, node.pos, node.len);
  const std::int64_t hex = DecodeHex(field);
  switch (node.kind) {
    case kKindHex:
      out.value = static_cast<std::int32_t>(hex);
      break;
    case kKindList: {
      const std::optional<std::int32_t> index = ListIndex(node, field);
      if (!index) return;
      out.value = *index;
      break;
    }
    case kKindScaledHex:
      out.value = Wrap((node.scale > 1 ? hex * node.scale : hex) - node.offset);
      break;
    case kKindText:
      if (node.len > static_cast<int>(kTextSlotLength)) return;
      out.text.assign(field);
      break;
    case kKindHexTimes5Minus60:
      out.value = Wrap(hex * 5 - 60);
      break;
    case kKindHexTimes5Minus200:
      out.value = Wrap(hex * 5 - 200);
      break;
    case kKindConstant:
      out.value = node.pos;
      break;
    case kKindHalfStep:
      out.value = Wrap((hex - 12) / 2);  // C++ division truncates toward zero
      break;
    case kKindHexTimes5Minus995:
      out.value = Wrap(hex * 5 - 995);
      break;
    case kKindNumberOnly:
      break;
    case kKindHexTimes5Minus75:
      out.value = Wrap(hex * 5 - 75);
      break;
    case kKindHexMinus10:
      out.value = Wrap(hex - 10);
      break;
    default:
      if (IsTextBufferKind(node.kind)) {
        const std::size_t buffer = node.kind - kKindTextBuffer1;
        out.text.assign(field.substr(0, std::min(field.size(), kTextBufferCapacity[buffer])));
        result.textBuffers[buffer] = out.text;
      } else if (IsSlotKind(node.kind)) {
        out.value = node.pos;
        result.slots[node.kind - kKindSlot1] = out.value;
      } else {
        return;  // no such kind: the node produces nothing
      }
  }
  result.values.push_back(std::move(out));
}

// The frame as the decoder reads it: a C string in a fixed work buffer (so it ends at its
// first NUL), with the guard character of a standard report taken as "0".
std::string WorkCopy(std::string_view frame) {
  std::string work(frame.substr(0, std::min(frame.find('\0'), kWorkBufferSize - 1)));
  if (work.size() > 2 && work[0] == kStx) work[2] = '0';
  return work;
}

// The first entry whose prefix begins `work`; the table ends at its first empty prefix.
int ScanEntries(std::string_view work, std::span<const ReplyEntry> table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string_view prefix = table[i].prefix.view();
    if (prefix.empty()) break;
    if (work.starts_with(prefix)) return static_cast<int>(i);
  }
  return -1;
}

// The same answer as ScanEntries for one table, without walking its hundreds of entries for
// every received frame: the entries are grouped by the first few characters of their
// prefix (up to kKeyLength), one group map per key length, each group in table order.
class PrefixIndex {
 public:
  static constexpr std::size_t kKeyLength = 9;

  explicit PrefixIndex(std::span<const ReplyEntry> table) : table_(table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      const std::string_view prefix = table[i].prefix.view();
      if (prefix.empty()) break;
      const std::size_t keyLength = std::min(prefix.size(), kKeyLength);
      byLength_[keyLength][std::string(prefix.substr(0, keyLength))].push_back(static_cast<int>(i));
    }
  }

  int Match(std::string_view work) const {
    int best = -1;
    for (const auto& [keyLength, groups] : byLength_) {
      if (keyLength > work.size()) break;
      const auto group = groups.find(std::string(work.substr(0, keyLength)));
      if (group == groups.end()) continue;
      for (int index : group->second) {
        if (best >= 0 && index >= best) break;
        if (work.starts_with(table_[static_cast<std::size_t>(index)].prefix.view())) {
          best = index;
          break;
        }
      }
    }
    return best;
  }

 private:
  std::span<const ReplyEntry> table_;
  std::map<std::size_t, std::unordered_map<std::string, std::vector<int>>> byLength_;
};

int MatchEntry(std::string_view work, std::span<const ReplyEntry> table) {
  if (table.data() == kReplyTable.data() && table.size() == kReplyTable.size()) {
    static const PrefixIndex index(kReplyTable);
    return index.Match(work);
  }
  return ScanEntries(work, table);
}

}  // namespace

bool DecodedValue::isText() const { return kind == kKindText || IsTextBufferKind(kind); }

std::vector<int> DecodeResult::numbers() const {
  std::vector<int> out;
  out.reserve(values.size());
  for (const DecodedValue& v : values) out.push_back(v.number);
  return out;
}

std::int32_t DecodeHex(std::string_view field) {
  std::uint32_t n = 0;
  for (char ch : field) {
    const auto c = static_cast<std::uint32_t>(static_cast<unsigned char>(ch));
    n = n * 16u + (c <= 64 ? c - 48u : c - 55u);  // unsigned: wraps like the 32-bit original
  }
  return static_cast<std::int32_t>(n);
}

int FindReplyEntry(std::string_view frame, std::span<const ReplyEntry> table) {
  return MatchEntry(WorkCopy(frame), table);
}

int FindReplyEntry(std::string_view frame) { return FindReplyEntry(frame, kReplyTable); }

DecodeResult Decode(std::string_view frame, std::span<const ReplyEntry> table) {
  DecodeResult result;
  const std::string work = WorkCopy(frame);
  const int index = MatchEntry(work, table);
  if (index < 0) return result;
  const ReplyEntry& entry = table[static_cast<std::size_t>(index)];
  if (entry.nodeCount == 0) return result;

  result.decoded = true;
  result.group = entry.nodes[0].group;
  result.inputReport = work.size() > 4 && work[3] == '2' && work[4] == '1';
  for (const DecodeNode& node : entry.chain()) DecodeNodeInto(node, work, result);
  return result;
}

DecodeResult Decode(std::string_view frame) { return Decode(frame, kReplyTable); }

}  // namespace tw::model
