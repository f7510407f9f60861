#include "sent_message_wait.h"

namespace quillo {

void WaitAnsweringSentMessages(DWORD ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_SENDMESSAGE, 0);
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace quillo
