#pragma once

#include "comm/command_sender.h"
#include "comm/connection_attempts.h"
#include "comm/handshake.h"
#include "comm/link_constants.h"
#include "comm/log_comments.h"
#include "comm/operation_command.h"
#include "comm/serial_channel.h"
#include "comm/transfer_engine.h"
#include "model/command_table.h"
#include "model/parameter_images.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {

class LinkLog;
class LinkObserver;
class PageSource;
class Scheduler;
class SerialPort;

// The one link object: it owns the serial channel (SerialChannel), the command sender
// (CommandSender), the handshake (Handshake), the connection attempts (ConnectionAttempts),
// the transfer engine (TransferEngine) and the seven parameter images.
//
// Everything runs on one thread. The channel reads on the port's ready-read notification and
// hands each frame to OnFrame; the scheduler's timers 1..8 are the link's own (it installs
// the scheduler's timer handler). The link publishes its state through LinkObserver and
// reaches the pages through PageSource; without them it still connects, transfers and keeps
// its images. The link's own definition: comm_channel.cpp (opening and closing, pauses after
// writes), comm_connection.cpp (what the user starts, timers) and comm_confirmed.cpp (Real
// Time Mode: what the receiver holds).
class Link {
 public:
  Link(SerialPort& port, Scheduler& scheduler, WorkingMode mode);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  void setObserver(LinkObserver* observer);
  void setPages(PageSource* pages);
  void setLog(LinkLog* log);

  // --- state ---
  WorkingMode workingMode() const { return mode_; }
  LinkState linkState() const { return linkState_; }
  LinkMode linkMode() const { return linkMode_; }
  void setLinkMode(LinkMode mode) { linkMode_ = mode; }
  const model::Capabilities& capabilities() const { return caps_; }
  int tunerRegion() const { return tunerRegion_; }
  void setTunerRegion(int region) { tunerRegion_ = region; }
  int startCursor() const { return handshake_.startCursor(); }
  // Pacing of the reads of an upload and of the start-up read (default: mandated).
  void setReadPacing(ReadPacing pacing) { readPacing_ = pacing; }
  // Reply pacing is chosen and this connection has not fallen back to the full pauses.
  bool replyPacingActive() const { return readPacing_ == ReadPacing::Reply && !pacingFellBack_; }
  int uploadPhase() const { return engine_.uploadPhase(); }
  const std::string& modelCode() const { return handshake_.modelCode(); }

  model::ParameterImages& images() { return images_; }
  const model::ParameterImages& images() const { return images_; }
  model::ParameterImage& imageInUse() { return images_.InUse(); }
  // Factory defaults for image `index` with the current tuner region.
  void ResetImage(int index);

  // --- serial channel ---
  // Opens `portName`, writes the opening sequence and starts the retry timer; false when the
  // name is empty, a port is already open, the device cannot be opened or a write fails.
  bool PortOpen(const std::string& portName);
  // Closes the port (if open) and resets state and capabilities; safe when closed.
  void PortClose();
  bool isPortOpen() const;
  // Writes one frame and pauses (50 ms after a standard frame, 150 ms otherwise, plus a
  // following "@WAIT" entry's argument). False when the port is not open or refused it.
  // Never writes before the pause of the previous write has passed.
  bool Write(std::string_view frame);
  // Reads and processes every waiting byte; returns how many there were. Bytes that are
  // announced while the link pauses after a write are read once the pause is over.
  int OnReceive();

  // --- command sender (see CommandSender) ---
  int SendPacket(std::string_view text, int number) { return sender_.SendPacket(text, number); }
  void ClearCommandList() { sender_.list().clear(); }
  int GetCommandCount() const { return static_cast<int>(sender_.list().size()); }
  const CommandList& commandList() const { return sender_.list(); }
  int BuildOperationCommand(const BasicBlock& basic, int number) { return sender_.BuildOperationCommand(basic, number); }
  void QueueBasicControls(const model::ParameterImage& image) { sender_.QueueBasicControls(image); }

  // --- transfer engine (see TransferEngine) ---
  // The current settings this upload has read from the receiver so far (its reads and
  // whatever the receiver reported meanwhile); the write-back sends these alone.
  const model::SettingKeys& uploadRead() const { return engine_.uploadRead(); }
  int OnFrame(std::string_view text, bool notAReply) { return engine_.OnFrame(text, notAReply); }
  void BuildUploadList(bool continuation) { engine_.BuildUploadList(continuation); }

  // --- connection operations (what the user starts) ---
  // Real Time "Open": connect and read the receiver. Ends with LinkObserver::ConnectFinished.
  void Open(const PortChoice& ports);
  // Async Upload / Download: connect, then run the list; ends with CommandsFinished.
  void Upload(const PortChoice& ports);
  void Download(const PortChoice& ports);
  // "Close": ends the connection.
  void Close();
  // Stops a connection attempt, after the user agreed (asked when linkMode() is RealTime).
  void CancelInitialize();
  // Stops the running command list, after the user agreed.
  void CancelCommands();
  // Cancel or a signal while a list runs. An upload that has loaded a System Memory first
  // writes the settings it read back (once the command on the line is done, with its
  // progress) and then ends as cancelled; a second interrupt, or any other list, ends at
  // once as CancelCommands does. True when a write-back follows.
  bool InterruptCommands() { return engine_.InterruptCommands(); }
  // The System Memory the running upload loaded last (1..6); 0 before its first memory load.
  int loadedMemory() const { return engine_.loadedMemory(); }
  // An interrupted upload is writing the receiver's own settings back.
  bool isWritingBack() const { return engine_.isWritingBack(); }
  // Whether a download sends the six System Memories (default) or the current settings alone.
  void setDownloadSendsMemories(bool send) { engine_.setDownloadSendsMemories(send); }
  bool isConnecting() const { return attempts_.isConnecting(); }
  bool isSendingCommands() const { return engine_.isSendingCommands(); }
  bool hasUploadBackup() const { return engine_.hasUploadBackup(); }
  // The last list was an upload that read every setting and memory, whatever became of its
  // write-back; the images then hold what the receiver held.
  bool uploadReadEverything() const { return engine_.uploadReadEverything(); }
  // Parameter numbers of the last upload's write-back commands that were given up.
  const std::vector<int>& writeBackFailures() const { return engine_.writeBackFailures(); }

  void FinishConnect(bool failed) { attempts_.FinishConnect(failed); }

  // Scheduler timer expiry (installed as the scheduler's handler).
  void OnTimer(int id);

 private:
  // The parts work on the link's state.
  friend class CommandSender;
  friend class Handshake;
  friend class ConnectionAttempts;
  friend class TransferEngine;
  using Operation = ConnectionAttempts::Operation;

  // channel
  void logComment(std::string_view text);
  void logComment(LogComment comment) { logComment(LogText(comment)); }
  void logError(std::string_view text, int number);
  std::optional<int> waitAfterCommandOnLine();
  bool pacesByReply(std::string_view frame) const;
  void answerArrived();
  void fallBackToFullPauses();
  void closeDevice();

  // Real Time Mode: the values the receiver reported or acknowledged
  bool tracksConfirmed() const;
  void confirmAll();
  void confirmReport(std::string_view frame);
  void confirmWrite(const CommandEntry& entry, std::string_view echo);
  void restoreUnconfirmed(const std::vector<int>& numbers);
  void failRealTimeList();

  void beginOperation(LinkMode mode, std::string_view comment, Operation operation, const PortChoice& ports);

  Scheduler& scheduler_;
  const WorkingMode mode_;
  LinkObserver* observer_;  // never null: one that shows nothing stands in
  PageSource* pages_;  // never null: "no pages" stands in

  model::ParameterImages images_;
  model::Capabilities caps_;
  int tunerRegion_ = 1;
  LinkState linkState_ = LinkState::WaitStatus;
  LinkMode linkMode_ = LinkMode::Idle;

  SerialChannel channel_;
  ReadPacing readPacing_ = ReadPacing::Mandated;
  bool pacingFellBack_ = false;  // a paced read went unanswered on this connection
  CommandSender sender_{*this};
  Handshake handshake_{*this};
  // Real Time Mode: image 0 as the receiver last reported or acknowledged it; a failed
  // command's values come back from here. Empty while not connected in Real Time Mode.
  std::optional<model::ParameterImage> confirmed_;
  ConnectionAttempts attempts_{*this};
  TransferEngine engine_{*this};
  // Posted continuations check this, so that none runs after the link is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tw::comm
