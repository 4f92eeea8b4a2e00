#pragma once

// Test doubles for the link: a serial port on the virtual clock and a scripted receiver
// that answers read requests from the command table.

#include "comm/link.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/memory_commands.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/serial_port.h"
#include "comm/virtual_scheduler.h"
#include "emu/virtual_receiver.h"
#include "model/command_table.h"
#include "model/parameter_access.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

namespace tw::comm::test {

struct Written {
  std::int64_t at;
  std::string bytes;
};

class FakePort final : public SerialPort {
 public:
  explicit FakePort(VirtualScheduler& scheduler) : scheduler_(scheduler) {}

  bool open(const std::string& device) override {
    if (open_ || unopenable.count(device)) return false;
    open_ = true;
    device_ = device;
    opened.push_back(device);
    return true;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  bool write(std::string_view bytes) override {
    if (!open_ || writeFails || (refuses && refuses(std::string(bytes)))) return false;
    writes.push_back({scheduler_.now(), std::string(bytes)});
    if (onWrite) onWrite(std::string(bytes));
    return true;
  }
  std::string readAll() override { return std::exchange(inbox_, {}); }
  bool ctsOn() const override { return cts; }
  void setReadyReadHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
  std::string lastError() const override { return "no such device"; }
  std::vector<std::string> availablePorts() const override { return {}; }

  // Bytes arrive now (one ready-read notification).
  void receive(const std::string& bytes) {
    if (!open_) return;
    inbox_ += bytes;
    if (handler_) handler_();
  }
  void receiveAfter(int ms, std::string bytes) {
    scheduler_.callAfter(ms, [this, bytes] { receive(bytes); });
  }

  std::vector<std::string> writtenFrames() const {
    std::vector<std::string> out;
    for (const auto& w : writes) out.push_back(w.bytes);
    return out;
  }
  int countWritten(const std::string& frame) const {
    int n = 0;
    for (const auto& w : writes) n += w.bytes == frame;
    return n;
  }

  std::set<std::string> unopenable;
  std::vector<std::string> opened;
  std::vector<Written> writes;
  std::function<void(const std::string&)> onWrite;
  bool cts = true;
  bool writeFails = false;
  // Writes of the frames this accepts fail (the device took the port but not the bytes).
  std::function<bool(const std::string&)> refuses;

 private:
  VirtualScheduler& scheduler_;
  bool open_ = false;
  std::string device_;
  std::string inbox_;
  std::function<void()> handler_;
};

inline std::string Std(std::string_view code) { return MakeStandard(code); }
inline std::string Ext(std::string_view body) { return CompleteExtended(std::string("\x14") + std::string(body)); }

// A status frame: DC2, model code, "0", "AE", the data block, ETX.
inline std::string StatusFrame(std::string_view model = "R0210", std::string data = std::string(172, '0')) {
  return std::string("\x12") + std::string(model) + "0AE" + data + "\x03";
}

// The reply that answers `row`, with `values` for its value characters (zero-padded).
inline std::string ReplyForRow(int row, std::string values = {}) {
  const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
  std::string prefix = r.replyPrefix;
  if (prefix.front() == STX) {
    if (prefix.back() == ETX) return prefix;
    values.resize(7 - prefix.size(), '0');
    return prefix + values + "\x03";
  }
  const int length = std::stoi(prefix.substr(3, 2), nullptr, 16);
  const std::size_t have = prefix.size() - 5;
  values.resize(static_cast<std::size_t>(length) - have, '0');
  return CompleteExtended(prefix + values);
}

// Answers the opening sequence with a status frame and every read request of the command
// table with its reply, `delayMs` later. Extended writes are echoed. Overrides first.
class ScriptedReceiver {
 public:
  ScriptedReceiver(FakePort& port, int delayMs = 20) : port_(port), delayMs_(delayMs) {
    for (int row = 0; row < model::kRowCount; ++row) {
      rowOfRequest_.emplace(CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request), row);
    }
    rowValues[0] = "00100";  // tuner region 1
    rowValues[1] = "100";
    rowValues[2] = "100";
    rowValues[3] = "1";
    port_.onWrite = [this](const std::string& frame) { answer(frame); };
  }

  // Returns the reply for `frame`: nullopt = default handling, "" = silence.
  std::function<std::optional<std::string>(const std::string& frame)> override;
  std::map<int, std::string> rowValues;
  std::string model = "R0210";
  std::string statusData = std::string(172, '0');
  bool silent = false;
  bool echoWrites = true;
  // Standard commands (operations, system commands, memory loads) are answered as a
  // receiver at its factory settings answers them; off, they go unanswered.
  bool answerStandard = false;

  std::optional<int> rowOf(const std::string& frame) const {
    const auto it = rowOfRequest_.find(frame);
    if (it == rowOfRequest_.end()) return std::nullopt;
    return it->second;
  }

 private:
  void answer(const std::string& frame) {
    if (silent) return;
    std::string reply;
    if (override) {
      if (auto custom = override(frame)) {
        if (!custom->empty()) port_.receiveAfter(delayMs_, *custom);
        return;
      }
    }
    if (frame == Std("07E82")) {
      reply = StatusFrame(model, statusData);
    } else if (answerStandard && !frame.empty() && frame.front() == STX) {
      for (const std::string& answer : standardReceiver_.handleFrame(frame)) reply += answer;
    } else if (const auto row = rowOf(frame)) {
      const auto values = rowValues.find(*row);
      reply = ReplyForRow(*row, values == rowValues.end() ? std::string() : values->second);
    } else if (echoWrites && !frame.empty() && frame.front() == DC4) {
      reply = frame;
    }
    if (!reply.empty()) port_.receiveAfter(delayMs_, reply);
  }

  FakePort& port_;
  int delayMs_;
  std::map<std::string, int> rowOfRequest_;
  emu::VirtualReceiver standardReceiver_{emu::EmulatorConfig{}};
};

// A view that keeps only how a connect and a command list ended, and the messages.
class EndView final : public LinkObserver {
 public:
  void ConnectFinished(bool connected) override { connect = connected ? 1 : 0; }
  void CommandsFinished(ListResult result) override { commands = static_cast<int>(result); }
  void MessageRaised(LinkMessage message) override { messages.push_back(message); }
  int connect = -1;
  int commands = -1;  // the ListResult's value
  std::vector<LinkMessage> messages;
};

// A view that records what the link showed.
class RecordingView final : public LinkObserver {
 public:
  void ConnectionChanged(ConnectionState state) override { connection = state; }
  void StatusWordChanged(StatusWord word) override { statusWords.push_back(word); }
  void MessageRaised(LinkMessage message) override { messages.push_back(message); }
  void ActivityChanged(LinkActivity activity, int range) override {
    if (activity == LinkActivity::Connecting) ++initDialogs;
    if (activity == LinkActivity::SendingCommands) commandDialogRanges.push_back(range);
  }
  void ProgressChanged(LinkActivity activity, int position) override {
    (activity == LinkActivity::Connecting ? initProgress : commandProgress).push_back(position);
  }
  void RefreshAllPages() override { ++refreshAll; }
  void RefreshBasicItem(int number, bool update) override { basicRefreshes.emplace_back(number, update); }
  void RefreshActiveItems(const std::vector<int>& numbers) override { activeRefreshes.push_back(numbers); }
  void UpdateCapabilities() override { ++capabilityUpdates; }
  void TransferFailed(LinkMode mode, int failed, int total) override {
    failedTransfers.push_back({static_cast<int>(mode), failed, total});
  }
  void ConnectFinished(bool connected) override { connectResults.push_back(connected); }
  void CommandsFinished(ListResult result) override { commandResults.push_back(static_cast<int>(result)); }

  ConnectionState connection = ConnectionState::NotConnected;
  std::vector<StatusWord> statusWords;
  std::vector<LinkMessage> messages;
  int initDialogs = 0;
  std::vector<int> initProgress;
  std::vector<int> commandDialogRanges;
  std::vector<int> commandProgress;
  int refreshAll = 0;
  std::vector<std::pair<int, bool>> basicRefreshes;
  std::vector<std::vector<int>> activeRefreshes;
  int capabilityUpdates = 0;
  std::vector<std::array<int, 3>> failedTransfers;  // link mode, failed, total
  std::vector<bool> connectResults;
  std::vector<int> commandResults;  // ListResult values
};

class RecordingLog final : public LinkLog {
 public:
  void WriteTrace(std::string_view text, bool frame, bool sent) override {
    if (!frame) comments.emplace_back(text);
    if (frame && !sent) received.emplace_back(text);
  }
  void WriteErrorLog(std::string_view text, int number) override { errors.emplace_back(std::string(text), number); }
  bool hasComment(std::string_view text) const {
    for (const auto& c : comments) {
      if (c.find(text) != std::string::npos) return true;
    }
    return false;
  }
  std::vector<std::string> comments;
  std::vector<std::string> received;
  std::vector<std::pair<std::string, int>> errors;
};

// A link on a fake port with a scripted receiver, a recording view and log.
struct LinkFixture {
  explicit LinkFixture(WorkingMode mode) : port(scheduler), receiver(port), link(port, scheduler, mode) {
    link.setObserver(&view);
    link.setLog(&log);
  }

  // Runs until `done` or `limitMs` of virtual time.
  bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600000) {
    return scheduler.runUntil(done, limitMs);
  }
  // Real Time connect on a fixed port, through the whole start-up read.
  bool connectRealTime() {
    link.Open(PortChoice::Fixed("ttyA"));
    return runUntil([&] { return !view.connectResults.empty(); }) && view.connectResults.back();
  }
  // Async connect for a download (status frame only) with the list builder left out.
  bool connectForDownloadOnly() {
    link.setLinkMode(LinkMode::Download);
    if (!link.PortOpen("ttyA")) return false;
    if (receiver.silent) port.receive(StatusFrame());
    return runUntil([&] { return link.linkState() == LinkState::Connected; });
  }

  VirtualScheduler scheduler;
  FakePort port;
  ScriptedReceiver receiver;
  RecordingView view;
  RecordingLog log;
  Link link;
};

}  // namespace tw::comm::test
