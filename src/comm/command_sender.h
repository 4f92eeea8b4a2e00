#pragma once

#include "comm/command_list.h"
#include "comm/operation_command.h"
#include "model/parameter_images.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {

class Link;

// The link's command sender: the command list, the batch start, the reply watch with its
// resends and give-up rules, the keep-alive and the status words. It writes through its link
// and leaves answered and given-up commands to the link's list handling.
class CommandSender {
 public:
  explicit CommandSender(Link& link) : link_(link) {}

  // Queues `text` for parameter `number`; the empty text with 564 starts the batch.
  // Standard frames in Real Time Mode are written at once. 0 while not connected.
  int SendPacket(std::string_view text, int number);
  CommandList& list() { return commands_; }
  const CommandList& list() const { return commands_; }
  void writeFirstPending();
  // Writes the command on the line (again); what the receiver reports from now on may answer it.
  void writeOnLine(const std::string& text);
  // Queues Basic Control item `number` of `basic` (nothing for a number without command).
  int BuildOperationCommand(const BasicBlock& basic, int number);
  // Queues the Basic Control items of `image` as a download sends them.
  void QueueBasicControls(const model::ParameterImage& image);

  // The reply watch ran out (empty frame) or `frame` did not acknowledge the pending
  // command. 1 when it ended the connection or accepted the frame.
  int OnReplyTimeout(std::string_view frame);
  void startReplyTimer();
  // Parameter numbers reported since the command on the line was last written.
  const std::set<int>& reportedSinceWrite() const { return reportedSinceWrite_; }
  void noteReported(const std::vector<int>& numbers) { reportedSinceWrite_.insert(numbers.begin(), numbers.end()); }
  void notePossibleProgramReport(std::string_view frame);

  void startKeepAliveTimer();
  // After a list, whatever its end: a Real Time connection that is still up is watched again.
  void resumeKeepAlive();
  void SendKeepAlive();
  void ShowGuardText();
  void ShowErrorText();

 private:
  static bool isInputSelection(std::string_view text);
  void watchInputSelection(std::string_view text);
  void armInputWatch();

  Link& link_;
  CommandList commands_;
  std::set<int> reportedSinceWrite_;
  // Real Time Mode: the last input selection written, until its program report came.
  struct InputSelectionWatch {
    std::string text;
    int resends = 0;
    bool programReported = false;
    unsigned generation = 0;
  };
  InputSelectionWatch inputWatch_;
};

}  // namespace tw::comm
