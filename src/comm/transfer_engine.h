#pragma once

#include "comm/command_list.h"
#include "comm/link_constants.h"
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

class Link;
struct ReplyInfo;

// The link's transfer engine: the frame processor that matches received frames to the
// command on the line and applies reported values, the upload and download lists with their
// phases, an interrupted upload's write-back, and the start and end of every command list.
class TransferEngine {
 public:
  explicit TransferEngine(Link& link) : link_(link) {}

  // What a frame (or a command given up) means for the list.
  struct FrameVerdict {
    bool apply = false;
    bool finished = false;
    std::optional<int> memory;
    bool rebuild = false;
    std::string nextText;
  };

  int OnFrame(std::string_view text, bool notAReply);
  void BuildUploadList(bool continuation);
  void BuildDownloadList(bool continuation);
  bool learnCapability(std::string_view frame);
  void expandStatusInto(std::string_view statusFrame);
  // An upload's status frame: its settings are the first ones read, its Basic Control items
  // are set aside for the write-back.
  void readUploadStatus(std::string_view statusFrame);

  // The batch start: the list runs (or, idle, the port closes).
  void StartSendingCommands();
  // End of a command list. An upload or download in which any command was given up fails.
  void FinishCommands(ListResult result);
  void finishEntry(std::size_t index, FrameVerdict& verdict);
  void noteGivenUp(const CommandEntry& entry);
  void continueList(const FrameVerdict& verdict);
  void endList();
  void takeUploadBackup();
  void restoreUploadBackup();
  // Nothing changed the images while no connection was made: the backup is of no use.
  void forgetUploadBackup() { uploadBackup_.reset(); }
  // See Link::InterruptCommands.
  bool InterruptCommands();
  // Called as each command is written.
  void noteMemoryLoad(const std::string& text);
  void forgetInterruption();

  // What the link's accessors of the same names give.
  int uploadPhase() const { return uploadPhase_; }
  const model::SettingKeys& uploadRead() const { return uploadRead_; }
  int loadedMemory() const { return loadedMemory_; }
  bool isWritingBack() const { return writingBack_ || writeBackRequested_; }
  void setDownloadSendsMemories(bool send) { downloadSendsMemories_ = send; }
  bool isSendingCommands() const { return sendingCommands_; }
  bool hasUploadBackup() const { return uploadBackup_ != nullptr; }
  bool uploadReadEverything() const { return uploadReadEverything_; }
  const std::vector<int>& writeBackFailures() const { return writeBackFailures_; }

 private:
  CommandList& commands();  // the sender's
  enum class Answer { None, Answered, GivenUp, Ignored };  // Ignored: the frame is dropped
  bool answerPending(std::size_t index, std::string_view text, FrameVerdict& verdict);
  Answer matchUploadRead(std::string_view text, const CommandEntry& entry, const model::CommandRow* row, FrameVerdict& verdict);
  Answer matchStandardRead(std::string_view text, const CommandEntry& entry, FrameVerdict& verdict);
  Answer matchEcho(std::string_view text, const CommandEntry& entry, const model::CommandRow* row, FrameVerdict& verdict);
  bool isRepeatedAnswer(std::string_view text, std::optional<std::size_t> pending);
  void applyReport(std::string_view text, bool notAReply, bool realTime);
  bool decodeListsNumber(std::string_view frame, int number) const;
  void walkAfterAnswer(std::size_t answered, FrameVerdict& verdict);
  bool cameBeforeAnswerPossible(std::string_view command, std::string_view frame) const;
  bool echoNamesParameter(std::string_view echo, const CommandEntry& entry, const model::CommandRow* row) const;
  bool confirmsPairedRead(std::string_view frame, const CommandEntry& entry, const model::CommandRow* row) const;
  bool inUploadWriteBack() const;
  void saveZoneItems();
  void noteUploadRead(const ReplyInfo& info);

  // lists
  void queueRow(int row);
  void queueMacro(std::string_view name, std::optional<int> argument);
  bool queueUploadReads();
  void queueMemoryLoads(int memory, const std::array<std::string, 4>& parts);

  // interrupted uploads
  void startWriteBack(FrameVerdict& verdict);
  bool endWriteBack();
  void reportUnrestored(UploadInterruption::Cause cause);

  Link& link_;
  int uploadPhase_ = 0;
  model::SettingKeys uploadRead_;
  std::array<std::int32_t, 4> savedBasic_{};
  std::array<std::int32_t, kUploadSavedZoneItems.size()> savedZoneItems_{};
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
  bool sendingCommands_ = false;  // a command list runs
  std::unique_ptr<std::array<model::ParameterImage, model::kImageCount>> uploadBackup_;
  // Interrupted uploads: the memory the receiver loaded last, an interrupt waiting for the
  // command on the line, the write-back running and the failures counted before it began.
  int loadedMemory_ = 0;
  bool writeBackRequested_ = false;
  bool writingBack_ = false;
  int failuresBeforeWriteBack_ = 0;
  bool downloadSendsMemories_ = true;
};

}  // namespace tw::comm
