#pragma once

#include "comm/command_sender.h"
#include "comm/connection_attempts.h"
#include "comm/handshake.h"
#include "comm/link_constants.h"
#include "comm/log_comments.h"
#include "comm/operation_command.h"
#include "comm/serial_channel.h"
#include "comm/upload_interruption.h"
#include "model/command_table.h"
#include "model/parameter_images.h"
#include "model/setting_key.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {

class LinkLog;
class LinkObserver;
class PageSource;
class ReplyDecoder;
struct ReplyInfo;
class Scheduler;
class SerialPort;

// The one link object: it owns the serial channel (SerialChannel), the command sender
// (CommandSender), the handshake (Handshake), the connection attempts (ConnectionAttempts)
// and the seven parameter images, and runs the transfer engine itself.
//
// Everything runs on one thread. The channel reads on the port's ready-read notification and
// hands each frame to OnFrame; the scheduler's timers 1..8 are the link's own (it installs
// the scheduler's timer handler). The link publishes its state through LinkObserver and
// reaches the pages through PageSource; without them it still connects, transfers and keeps
// its images. The parts work on the link's state, so they are its friends.
//
// Its definition by concern: comm_channel.cpp (opening and closing, pauses after writes),
// comm_engine.cpp (OnFrame and its answer matchers), comm_lists.cpp (upload and download
// lists), comm_connection.cpp (what the user starts, timers, list end), comm_confirmed.cpp
// (Real Time Mode: what the receiver holds), comm_interrupt.cpp (an interrupted upload).
class Link {
 public:
  Link(SerialPort& port, Scheduler& scheduler, WorkingMode mode);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  void setObserver(LinkObserver* observer);
  void setPages(PageSource* pages);
  void setLog(LinkLog* log);
  void setDecoder(const ReplyDecoder* decoder);  // default: the model's decoding table

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
  ReadPacing readPacing() const { return readPacing_; }
  // Reply pacing is chosen and this connection has not fallen back to the full pauses.
  bool replyPacingActive() const { return readPacing_ == ReadPacing::Reply && !pacingFellBack_; }
  int uploadPhase() const { return uploadPhase_; }
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
  // The current settings this upload has read from the receiver so far (its reads and
  // whatever the receiver reported meanwhile); the write-back sends these alone.
  const model::SettingKeys& uploadRead() const { return uploadRead_; }

  // --- transfer engine ---
  int OnFrame(std::string_view text, bool notAReply);
  void BuildUploadList(bool continuation);
  void BuildDownloadList(bool continuation);

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
  bool InterruptCommands();
  // The System Memory the running upload loaded last (1..6); 0 before its first memory load.
  int loadedMemory() const { return loadedMemory_; }
  // An interrupted upload is writing the receiver's own settings back.
  bool isWritingBack() const { return writingBack_ || writeBackRequested_; }
  // Whether a download sends the six System Memories (default) or the current settings alone.
  void setDownloadSendsMemories(bool send) { downloadSendsMemories_ = send; }
  bool isConnecting() const { return attempts_.isConnecting(); }
  bool isSendingCommands() const { return sendingCommands_; }
  bool hasUploadBackup() const { return uploadBackup_ != nullptr; }
  // The last list was an upload that read every setting and memory, whatever became of its
  // write-back; the images then hold what the receiver held.
  bool uploadReadEverything() const { return uploadReadEverything_; }
  // Parameter numbers of the last upload's write-back commands that were given up.
  const std::vector<int>& writeBackFailures() const { return writeBackFailures_; }

  void FinishConnect(bool failed) { attempts_.FinishConnect(failed); }
  // The batch start: the list runs (or, idle, the port closes).
  void StartSendingCommands();
  // End of a command list. An upload or download
  // in which any command was given up fails.
  void FinishCommands(ListResult result);

  // Scheduler timer expiry (installed as the scheduler's handler).
  void OnTimer(int id);

 private:
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

  friend class CommandSender;

  // engine: what a frame (or a command given up) means for the list
  struct FrameVerdict {
    bool apply = false;
    bool finished = false;
    std::optional<int> memory;
    bool rebuild = false;
    std::string nextText;
  };
  enum class Answer { None, Answered, GivenUp, Ignored };  // Ignored: the frame is dropped
  bool answerPending(std::size_t index, std::string_view text, FrameVerdict& verdict);
  Answer matchUploadRead(std::string_view text, const CommandEntry& entry, const model::CommandRow* row, FrameVerdict& verdict);
  Answer matchStandardRead(std::string_view text, const CommandEntry& entry, FrameVerdict& verdict);
  Answer matchEcho(std::string_view text, const CommandEntry& entry, const model::CommandRow* row, FrameVerdict& verdict);
  bool isRepeatedAnswer(std::string_view text, std::optional<std::size_t> pending);
  void applyReport(std::string_view text, bool notAReply, bool realTime);
  bool learnCapability(std::string_view frame);
  void expandStatusInto(std::string_view statusFrame);
  bool decodeListsNumber(std::string_view frame, int number) const;
  void walkAfterAnswer(std::size_t answered, FrameVerdict& verdict);
  bool cameBeforeAnswerPossible(std::string_view command, std::string_view frame) const;
  bool echoNamesParameter(std::string_view echo, const CommandEntry& entry, const model::CommandRow* row) const;
  bool confirmsPairedRead(std::string_view frame, const CommandEntry& entry, const model::CommandRow* row) const;
  void finishEntry(std::size_t index, FrameVerdict& verdict);
  void noteGivenUp(const CommandEntry& entry);
  bool inUploadWriteBack() const;
  void continueList(const FrameVerdict& verdict);
  void endList();
  void saveZoneItems();
  void noteUploadRead(const ReplyInfo& info);

  // Real Time Mode: the values the receiver reported or acknowledged
  bool tracksConfirmed() const;
  void confirmAll();
  void confirmReport(std::string_view frame);
  void confirmWrite(const CommandEntry& entry, std::string_view echo);
  void restoreUnconfirmed(const std::vector<int>& numbers);
  void failRealTimeList();

  // interrupted uploads
  void noteMemoryLoad(const std::string& text);
  void startWriteBack(FrameVerdict& verdict);
  bool endWriteBack();
  void reportUnrestored(UploadInterruption::Cause cause);
  void forgetInterruption();

  // lists
  void queueRow(int row);
  void queueMacro(std::string_view name, std::optional<int> argument);
  bool queueUploadReads();
  void queueMemoryLoads(int memory, const std::array<std::string, 4>& parts);

  friend class Handshake;

  // connection
  friend class ConnectionAttempts;
  void restoreUploadBackup();
  void takeUploadBackup();
  void beginOperation(LinkMode mode, std::string_view comment, Operation operation, const PortChoice& ports);

  Scheduler& scheduler_;
  const WorkingMode mode_;
  LinkObserver* observer_;  // never null: one that shows nothing stands in
  PageSource* pages_;  // never null: "no pages" stands in
  const ReplyDecoder* decoder_ = nullptr;

  model::ParameterImages images_;
  model::Capabilities caps_;
  int tunerRegion_ = 1;
  LinkState linkState_ = LinkState::WaitStatus;
  LinkMode linkMode_ = LinkMode::Idle;
  int uploadPhase_ = 0;
  model::SettingKeys uploadRead_;
  std::array<std::int32_t, 4> savedBasic_{};
  std::array<std::int32_t, kUploadSavedZoneItems.size()> savedZoneItems_{};

  SerialChannel channel_;
  ReadPacing readPacing_ = ReadPacing::Mandated;
  bool pacingFellBack_ = false;  // a paced read went unanswered on this connection
  CommandSender sender_{*this};
  Handshake handshake_{*this};
  // Real Time Mode: image 0 as the receiver last reported or acknowledged it; a failed
  // command's values come back from here. Empty while not connected in Real Time Mode.
  std::optional<model::ParameterImage> confirmed_;
  // Commands of the running list given up, and answered; of those given up, an upload's
  // write-back commands apart (the reads before them decide whether the upload is whole).
  int listFailures_ = 0;
  int listAnswers_ = 0;
  std::vector<int> writeBackFailures_;
  bool uploadReadEverything_ = false;
  // A transfer's last answer and the command it answered: the same frame again, right
  // after, is the receiver repeating itself, not the answer to the next command.
  std::string lastAnswer_;
  std::string lastAnswered_;

  ConnectionAttempts attempts_{*this};
  bool sendingCommands_ = false;  // a command list runs
  std::unique_ptr<std::array<model::ParameterImage, model::kImageCount>> uploadBackup_;
  // Interrupted uploads: the memory the receiver loaded last, an interrupt waiting for the
  // command on the line, the write-back running and the failures counted before it began.
  int loadedMemory_ = 0;
  bool writeBackRequested_ = false;
  bool writingBack_ = false;
  int failuresBeforeWriteBack_ = 0;
  bool downloadSendsMemories_ = true;
  // Posted continuations check this, so that none runs after the link is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tw::comm
