#include "rename/qt/threadedrenameui.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

TThreadedRenameUi::TThreadedRenameUi(Rename::TRenameUi& inner, QObject* context,
                                     const std::atomic<bool>& stop)
    : FInner(inner), FContext(context), FStop(stop) {}

// Called on the context's own thread, the call runs at once.
template <typename F>
void TThreadedRenameUi::OnUiThread(F call) {
  if (QThread::currentThread() == FContext->thread()) return call();
  QMetaObject::invokeMethod(FContext, call, Qt::BlockingQueuedConnection);
}

bool TThreadedRenameUi::ConfirmRename(const std::string& text) {
  bool answer = false;
  OnUiThread([&]() { answer = FInner.ConfirmRename(text); });
  return answer;
}

Rename::TFailAnswer TThreadedRenameUi::RenameFailed(const std::string& text) {
  Rename::TFailAnswer answer = Rename::TFailAnswer::Abort;
  OnUiThread([&]() { answer = FInner.RenameFailed(text); });
  return answer;
}

void TThreadedRenameUi::ShowProgress(int position, const std::string& status) {
  OnUiThread([&]() { FInner.ShowProgress(position, status); });
}

void TThreadedRenameUi::SetBusy(bool busy) {
  OnUiThread([&]() { FInner.SetBusy(busy); });
}

bool TThreadedRenameUi::ConfirmWithoutUndo(const std::string& text) {
  bool answer = false;
  OnUiThread([&]() { answer = FInner.ConfirmWithoutUndo(text); });
  return answer;
}

bool TThreadedRenameUi::StopRequested() { return FStop.load(); }
