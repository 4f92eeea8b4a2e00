#pragma once

#include <cstddef>
#include <string_view>

namespace tw::comm {

// The fixed comments the link writes to the trace log. Their texts are the log's own and
// stay as they are, byte for byte, whatever language reads the log.
enum class LogComment {
  ReceiveBufferReset,
  WrongModel,
  Resend,
  SendFailed,
  Read,
  SendFailedNextCommand,
  ConnectRetry,
  ExtendedParameterError,
  NotConnected,
  PortOpenFailed,
  FrameTimeout,
  StartupReadTimeout,
};

struct LogCommentEntry {
  LogComment comment;
  std::string_view text;   // as written to the log
  std::string_view gloss;  // what it says
};

inline constexpr LogCommentEntry kLogComments[] = {
    {LogComment::ReceiveBufferReset, "バッファ領域のリセット：",
     "receive buffer reset: (the bytes dropped follow)"},
    {LogComment::WrongModel, "機種が違います", "the receiver is a different model"},
    {LogComment::Resend, "[再送]", "resend"},
    {LogComment::SendFailed, "[送信失敗]", "send failed"},
    {LogComment::Read, "[読込]", "read"},
    {LogComment::SendFailedNextCommand, "[送信失敗 次コマンドへ]", "send failed, on to the next command"},
    {LogComment::ConnectRetry, "初期化リトライ", "connection retry"},
    {LogComment::ExtendedParameterError, "[拡張コマンド パラメータエラー]",
     "extended command parameter error"},
    {LogComment::NotConnected, "[CCommClass::SendPacket] 初期化終了ではない", "not connected yet"},
    {LogComment::PortOpenFailed, "[CInitializeDlg::OnUserInit] ポートOpen 失敗\n", "opening the port failed"},
    {LogComment::FrameTimeout, "[CQAmpToolView::OnTimer] ETX受信タイムアウト\n",
     "no ETX in time (frame timeout)"},
    {LogComment::StartupReadTimeout, "[CQAmpToolView::OnTimer] 初期値読み込みタイムアウト",
     "start-up read timed out"},
};

// The table lists the comments in enum order, so a comment's text is one index away.
constexpr bool LogCommentsInOrder() {
  for (std::size_t i = 0; i < std::size(kLogComments); ++i) {
    if (static_cast<std::size_t>(kLogComments[i].comment) != i) return false;
  }
  return true;
}
static_assert(LogCommentsInOrder());

constexpr std::string_view LogText(LogComment comment) {
  return kLogComments[static_cast<std::size_t>(comment)].text;
}

}  // namespace tw::comm
